#pragma once

#include <QPlainTextEdit>

#include <string>

namespace qarto {

// The multi-line edits of Customize Export: fixed-pitch, no wrapping,
// `lines` lines high. Their texts are kept with CR LF between lines.
QPlainTextEdit* templateEdit(const QString& objectName, int lines);
std::string templateText(const QPlainTextEdit* edit);
void setTemplateText(QPlainTextEdit* edit, const std::string& stored);

}  // namespace qarto
