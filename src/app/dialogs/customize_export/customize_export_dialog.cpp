#include "app/dialogs/customize_export/customize_export_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/controls/tab_host.h"
#include "app/dialogs/customize_export/data_file_page.h"
#include "app/dialogs/customize_export/miscellaneous_page.h"
#include "app/dialogs/dialog_support.h"

namespace qarto {

CustomizeExportDialog::CustomizeExportDialog(PlatformServices& services, SettingsStore& settings,
                                             std::string programDirectory, QWidget* parent)
    : QDialog(parent),
      services_(services),
      settings_(settings),
      programDirectory_(std::move(programDirectory)),
      tabs_(new TabHost),
      misc_(new MiscellaneousPage) {
  setUpDialogWindow(*this, kCustomizeExportCaptionSuffix);
  tabs_->setObjectName("tabs");
  for (int i = 0; i < kExportFileCount; ++i) {
    files_[static_cast<std::size_t>(i)] = new DataFilePage(static_cast<ExportFile>(i));
    tabs_->addPage(files_[static_cast<std::size_t>(i)], QString::fromUtf8(kCustomizeExportTabLabels[i]),
                   exportFileTabIcon());
  }
  tabs_->addPage(misc_, QString::fromUtf8(kCustomizeExportTabLabels[4]), exportMiscTabIcon());

  // In this order under the tabs, whatever the desktop's button order.
  auto* importButton = new QPushButton(QStringLiteral("Import Def."));
  auto* exportButton = new QPushButton(QStringLiteral("Export Def."));
  auto* okButton = new QPushButton(QStringLiteral("OK"));
  auto* cancelButton = new QPushButton(QStringLiteral("Cancel"));
  importButton->setObjectName("importDef");
  exportButton->setObjectName("exportDef");
  okButton->setDefault(true);
  connect(importButton, &QPushButton::clicked, this, &CustomizeExportDialog::importDefinition);
  connect(exportButton, &QPushButton::clicked, this, &CustomizeExportDialog::exportDefinition);
  connect(okButton, &QPushButton::clicked, this, &CustomizeExportDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {importButton, exportButton, okButton, cancelButton}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  showPages(openCustomizeExport(settings_));
}

void CustomizeExportDialog::showPages(const CustomizeExportPages& pages) {
  for (DataFilePage* page : files_) page->load(pages);
  misc_->load(pages);
}

CustomizeExportPages CustomizeExportDialog::pages() const {
  CustomizeExportPages pages;
  for (DataFilePage* page : files_) page->store(pages);
  misc_->store(pages);
  return pages;
}

void CustomizeExportDialog::importDefinition() {
  CustomizeExportPages current = pages();
  if (importDefinitionIntoPages(services_, current, programDirectory_)) showPages(current);
}

void CustomizeExportDialog::exportDefinition() { exportDefinitionFromPages(services_, pages(), programDirectory_); }

void CustomizeExportDialog::accept() {
  acceptCustomizeExport(settings_, pages());
  QDialog::accept();
}

}  // namespace qarto
