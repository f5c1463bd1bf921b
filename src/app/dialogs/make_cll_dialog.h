#pragma once

#include <QDialog>

#include "edit/collision/make_cll_wizard.h"

class QCheckBox;
class QLineEdit;

namespace qarto {

class EditorSession;

// The Make .CLL Wizard: a tile page and how its collision set is to be
// found or made. OK hands the choices back; the command builds the project.
class MakeCllDialog : public QDialog {
  Q_OBJECT
 public:
  explicit MakeCllDialog(EditorSession& session, QWidget* parent = nullptr);

  MakeCllRequest request() const;

 private:
  EditorSession& session_;
  QLineEdit* path_;
  QCheckBox* loadExisting_;
  QCheckBox* autoGenerate_;
  QCheckBox* minimumMatch_;
};

}  // namespace qarto
