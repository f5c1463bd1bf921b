#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "export/definition/customize_export.h"

namespace qarto {

class DataFilePage;
class MiscellaneousPage;
class SettingsStore;
class TabHost;

// Customize Text Export: the export definition on five pages. It works on
// its own copy; "Import Def." and "Export Def." read and write .qrd files
// without touching the settings, OK stores every page under "Exporting".
class CustomizeExportDialog : public QDialog {
  Q_OBJECT
 public:
  CustomizeExportDialog(PlatformServices& services, SettingsStore& settings, std::string programDirectory,
                        QWidget* parent = nullptr);

  // What the pages show now.
  CustomizeExportPages pages() const;
  TabHost* tabs() const { return tabs_; }

  // The buttons' work.
  void importDefinition();
  void exportDefinition();

 public slots:
  void accept() override;

 private:
  void showPages(const CustomizeExportPages& pages);

  PlatformServices& services_;
  SettingsStore& settings_;
  std::string programDirectory_;
  TabHost* tabs_;
  std::array<DataFilePage*, kExportFileCount> files_{};
  MiscellaneousPage* misc_;
};

}  // namespace qarto
