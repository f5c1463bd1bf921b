#pragma once

#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QDockWidget;

namespace qarto {

inline constexpr int kSideBarWidth = 196;

// A tool's bar: docked at the left or the right under its blue strip,
// moved between the sides but never floated or closed (the tool shows it).
void setUpSideBar(QDockWidget& bar);
// A drop-down list of `names`, called `objectName`.
QComboBox* namedCombo(const char* objectName, const std::vector<std::string>& names);
// Shows a state without reporting it as the user's change.
void showIndex(QComboBox& combo, int index);
void showChecked(QAbstractButton& button, bool on);

}  // namespace qarto
