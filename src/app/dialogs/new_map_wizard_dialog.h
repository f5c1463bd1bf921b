#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "edit/dialogs/new_map_wizard.h"
#include "edit/session/map_file_commands.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace qarto {

class EditorSession;

// The Create New Map Wizard: the primary layer, its collision layer and up
// to two parallax layers. OK builds the map through the core and closes;
// a refused entry keeps the wizard open.
class NewMapWizardDialog : public QDialog {
  Q_OBJECT
 public:
  NewMapWizardDialog(EditorSession& session, MapFileHooks hooks, QWidget* parent = nullptr);

  // The entries as they stand.
  NewMapWizardForm form() const;
  NewMapOutcome lastOutcome() const { return outcome_; }
  bool tilePageGiven() const;

 public slots:
  void accept() override;

 private:
  // The widgets of layer 2 or 3.
  struct SecondaryRow {
    QCheckBox* enable = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* amountX = nullptr;
    QLineEdit* amountY = nullptr;
    QComboBox* unitX = nullptr;
    QComboBox* unitY = nullptr;
    std::vector<QWidget*> group;  // enabled with the layer
    std::vector<QWidget*> icons;  // shown with the layer
  };

  QWidget* primaryGroup();
  QWidget* secondaryGroup();
  QWidget* tilesGroup();
  void addSecondaryRow(QGridLayout& grid, int row, int number, SecondaryRow& fields);
  void fill(const NewMapWizardForm& form);
  void layer2Toggled(bool enabled);
  void showLayerEnabled(SecondaryRow& fields, bool enabled);

  EditorSession& session_;
  MapFileHooks hooks_;
  NewMapOutcome outcome_ = NewMapOutcome::StayOpen;
  QLineEdit* tilePage_ = nullptr;
  QLineEdit* primaryName_ = nullptr;
  QLineEdit* width_ = nullptr;
  QLineEdit* height_ = nullptr;
  QComboBox* widthUnit_ = nullptr;
  QComboBox* heightUnit_ = nullptr;
  QCheckBox* collision_ = nullptr;
  QCheckBox* entity_ = nullptr;
  std::array<SecondaryRow, 2> secondary_;
  QCheckBox* unoptimized_ = nullptr;
};

}  // namespace qarto
