#pragma once

class QComboBox;
class QLabel;

namespace qarto {

// The Flags bar's legend of the map's marker and damage badges: each entry
// of the two lists shows its badge (the kind's colour in a black rim), and
// a label says where in a cell each kind is drawn.
void addKindSwatches(QComboBox& markers, QComboBox& damage);
QLabel* flagsLegendLabel();

}  // namespace qarto
