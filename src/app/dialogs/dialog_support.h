#pragma once

#include <QString>

#include <string>

class QDialog;
class QWidget;

namespace qarto {

// Texts cross between the core (UTF-8 std::string) and Qt here.
inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline std::string ss(const QString& text) { return text.toStdString(); }

// Every dialog's window: the application title followed by `suffix`, and
// the program's icon (the one of the window the dialog belongs to, when it
// has one).
void setUpDialogWindow(QDialog& dialog, const char* suffix);
void setUpDialogWindowTitled(QDialog& dialog, const std::string& title);

// The folder the program runs from; the definition file choosers start there.
std::string programDirectory();

}  // namespace qarto
