#include "app/dialogs/customize_export/miscellaneous_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/dialogs/customize_export/template_edit.h"
#include "app/dialogs/dialog_support.h"

namespace qarto {

MiscellaneousPage::MiscellaneousPage(QWidget* parent)
    : QWidget(parent),
      file1Name_(new QLineEdit),
      file1Includes_(templateEdit("file1Includes", 3)),
      file2Name_(new QLineEdit),
      file2Includes_(templateEdit("file2Includes", 3)),
      numAutoGen_(new QLineEdit) {
  file1Name_->setObjectName("file1Name");
  file2Name_->setObjectName("file2Name");
  numAutoGen_->setObjectName("numAutoGen");
  numAutoGen_->setFixedWidth(80);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("File 1 Name:")), 0, 0);
  grid->addWidget(file1Name_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Includes:")), 1, 0, Qt::AlignTop);
  grid->addWidget(file1Includes_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("File 2 Name:")), 2, 0);
  grid->addWidget(file2Name_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Includes:")), 3, 0, Qt::AlignTop);
  grid->addWidget(file2Includes_, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("Num AutoGen")), 4, 0);
  grid->addWidget(numAutoGen_, 4, 1, Qt::AlignLeft);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);
}

void MiscellaneousPage::load(const CustomizeExportPages& pages) {
  file1Name_->setText(qs(pages.file1Name));
  setTemplateText(file1Includes_, pages.file1Includes);
  file2Name_->setText(qs(pages.file2Name));
  setTemplateText(file2Includes_, pages.file2Includes);
  numAutoGen_->setText(qs(pages.numAutoGen));
}

void MiscellaneousPage::store(CustomizeExportPages& pages) const {
  pages.file1Name = ss(file1Name_->text());
  pages.file1Includes = templateText(file1Includes_);
  pages.file2Name = ss(file2Name_->text());
  pages.file2Includes = templateText(file2Includes_);
  pages.numAutoGen = ss(numAutoGen_->text());
}

}  // namespace qarto
