#include "app/dialogs/customize_export/data_file_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/customize_export/template_edit.h"
#include "app/dialogs/dialog_support.h"

namespace qarto {

namespace {

const char* const kExternChoices[] = {"Don't create externs", "Extern to File 1", "Extern to File 2"};

}  // namespace

DataFilePage::DataFilePage(ExportFile which, QWidget* parent)
    : QWidget(parent),
      which_(which),
      fileName_(new QLineEdit),
      includes_(templateEdit("includes", 3)),
      format_(templateEdit("format", 4)),
      externs_(new QButtonGroup(this)),
      externLabel_(new QLabel(QStringLiteral("Extern Format String"))),
      externFormat_(templateEdit("externFormat", 2)),
      externReset_(new QPushButton(QStringLiteral("Reset"))),
      externResetNote_(new QLabel(QStringLiteral("to Qarto default"))) {
  fileName_->setObjectName("fileName");
  auto* formatReset = new QPushButton(QStringLiteral("Reset"));
  formatReset->setObjectName("formatReset");
  externReset_->setObjectName("externReset");

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("File Name:")), 0, 0);
  grid->addWidget(fileName_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Includes:")), 1, 0, Qt::AlignTop);
  grid->addWidget(includes_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Format String")), 2, 0, Qt::AlignTop);
  grid->addWidget(format_, 2, 1);
  grid->addWidget(resetColumn(formatReset, new QLabel(QStringLiteral("to Qarto default"))), 2, 2, Qt::AlignTop);

  auto* choices = new QHBoxLayout;
  for (int state = 0; state < 3; ++state) {
    auto* radio = new QRadioButton(QString::fromUtf8(kExternChoices[state]));
    radio->setObjectName(QStringLiteral("extern%1").arg(state));
    externs_->addButton(radio, state);
    choices->addWidget(radio);
  }
  choices->addStretch(1);
  grid->addLayout(choices, 3, 1);
  grid->addWidget(externLabel_, 4, 0, Qt::AlignTop);
  grid->addWidget(externFormat_, 4, 1);
  grid->addWidget(resetColumn(externReset_, externResetNote_), 4, 2, Qt::AlignTop);
  if (which == ExportFile::Palette) {
    autoPad_ = new QCheckBox(QStringLiteral("Auto-Pad output array to 256 colours"));
    autoPad_->setObjectName("autoPad");
    grid->addWidget(autoPad_, 5, 1);
  }
  grid->setRowStretch(6, 1);
  grid->setColumnStretch(1, 1);

  connect(formatReset, &QPushButton::clicked, this, [this] { setTemplateText(format_, defaultFormat(which_)); });
  connect(externReset_, &QPushButton::clicked, this,
          [this] { setTemplateText(externFormat_, defaultExternFormat(which_)); });
  connect(externs_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) showExternControls(id != 0);
  });
}

QWidget* DataFilePage::resetColumn(QPushButton* reset, QLabel* note) {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(reset);
  layout->addWidget(note);
  return column;
}

void DataFilePage::showExternControls(bool enabled) {
  for (QWidget* widget : std::initializer_list<QWidget*>{externLabel_, externFormat_, externReset_, externResetNote_}) {
    widget->setEnabled(enabled);
  }
}

void DataFilePage::setExternState(int state) {
  if (QAbstractButton* radio = externs_->button(state)) {
    radio->setChecked(true);
    showExternControls(state != 0);
    return;
  }
  // A state no button stands for: none is checked and the extern stays editable.
  externs_->setExclusive(false);
  for (QAbstractButton* radio : externs_->buttons()) radio->setChecked(false);
  externs_->setExclusive(true);
  showExternControls(true);
}

void DataFilePage::load(const CustomizeExportPages& pages) {
  const ExportFilePage& page = pages.file(which_);
  fileName_->setText(qs(page.fileName));
  setTemplateText(includes_, page.includes);
  setTemplateText(format_, page.format);
  setExternState(page.externState);
  setTemplateText(externFormat_, page.externFormat);
  if (autoPad_ != nullptr) autoPad_->setChecked(pages.autoPadPalettes);
}

void DataFilePage::store(CustomizeExportPages& pages) const {
  ExportFilePage& page = pages.file(which_);
  page.fileName = ss(fileName_->text());
  page.includes = templateText(includes_);
  page.format = templateText(format_);
  page.externState = externs_->checkedId() >= 0 ? externs_->checkedId() : kNoExternButtonChecked;
  page.externFormat = templateText(externFormat_);
  if (autoPad_ != nullptr) pages.autoPadPalettes = autoPad_->isChecked();
}

}  // namespace qarto
