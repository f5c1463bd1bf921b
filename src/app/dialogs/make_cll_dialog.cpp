#include "app/dialogs/make_cll_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace qarto {

MakeCllDialog::MakeCllDialog(EditorSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      path_(new QLineEdit),
      loadExisting_(new QCheckBox(QStringLiteral("Load existing .CLL if there is one"))),
      autoGenerate_(new QCheckBox(QStringLiteral("Auto-generate ideal collision set when no .CLL data exists"))),
      minimumMatch_(new QCheckBox(QStringLiteral("Enable minimum match filtering (90%)"))) {
  setUpDialogWindow(*this, kMakeCllCaptionSuffix);
  path_->setObjectName("path");
  path_->setMinimumWidth(300);
  loadExisting_->setObjectName("loadExisting");
  autoGenerate_->setObjectName("autoGenerate");
  minimumMatch_->setObjectName("minimumMatch");

  auto* browse = new QPushButton(QStringLiteral("..."));
  browse->setObjectName("browse");
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  auto* page = new QGroupBox(QStringLiteral("BG Tileset"));
  auto* pageRow = new QHBoxLayout(page);
  pageRow->addWidget(path_, 1);
  pageRow->addWidget(browse);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page);
  layout->addWidget(loadExisting_);
  layout->addWidget(autoGenerate_);
  layout->addWidget(minimumMatch_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  loadExisting_->setChecked(true);
  autoGenerate_->setChecked(true);
  minimumMatch_->setChecked(false);
  connect(autoGenerate_, &QCheckBox::toggled, minimumMatch_, &QCheckBox::setEnabled);
  connect(browse, &QPushButton::clicked, this, [this] {
    if (std::optional<std::string> chosen = chooseMakeCllPage(session_)) path_->setText(qs(*chosen));
  });
}

MakeCllRequest MakeCllDialog::request() const {
  MakeCllRequest request;
  request.pagePath = ss(path_->text());
  request.loadExisting = loadExisting_->isChecked();
  request.autoGenerate = autoGenerate_->isChecked();
  request.minimumMatch = autoGenerate_->isChecked() && minimumMatch_->isChecked();
  return request;
}

}  // namespace qarto
