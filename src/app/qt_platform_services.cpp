#include "app/qt_platform_services.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/file_filter.h"

namespace qarto {

namespace {

// Before the frame is known the active window carries the dialogs.
QWidget* ownerOf(QWidget* parent) { return parent != nullptr ? parent : QApplication::activeWindow(); }

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning:
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Stop: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::OkShow: return QMessageBox::Ok;
  }
  return QMessageBox::Ok;
}

// The folder and file the chooser starts at.
QString startPath(const FileChooserRequest& request) {
  const QString file = QString::fromStdString(request.initialFile);
  const QString folder = QString::fromStdString(request.initialFolder);
  if (file.isEmpty()) return folder;
  if (QFileInfo(file).isAbsolute() || folder.isEmpty()) return file;
  return QDir(folder).filePath(file);
}

void prepareChooser(QFileDialog& dialog, const FileChooserRequest& request) {
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setNameFilter(qtFileFilter(request.filter));
  dialog.setDefaultSuffix(qtDefaultSuffix(request.defaultExtension));
  const QString start = startPath(request);
  const QFileInfo info(start);
  if (!start.isEmpty() && info.isDir()) {
    dialog.setDirectory(start);
  } else if (!start.isEmpty()) {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
}

}  // namespace

MessageAnswer QtPlatformServices::messageBox(const std::string& text, const std::string& caption,
                                             MessageButtons buttons, MessageIcon icon) {
  QMessageBox box(qtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text), qtButtons(buttons),
                  ownerOf(parent_));
  QAbstractButton* show =
      buttons == MessageButtons::OkShow ? box.addButton(QStringLiteral("Show"), QMessageBox::ActionRole) : nullptr;
  const int answer = box.exec();
  if (show != nullptr && box.clickedButton() == show) return MessageAnswer::Show;
  switch (answer) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default:
      // Escape or the window's close button: No where there is no Cancel.
      return buttons == MessageButtons::YesNo ? MessageAnswer::No
             : buttons == MessageButtons::Ok || buttons == MessageButtons::OkShow ? MessageAnswer::Ok
                                              : MessageAnswer::Cancel;
  }
}

int QtPlatformServices::chooseButton(const std::string& text, const std::string& caption,
                                     const std::vector<std::string>& buttons, int defaultButton, MessageIcon icon) {
  QMessageBox box(qtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::NoButton,
                  ownerOf(parent_));
  std::vector<QPushButton*> added;
  for (const std::string& label : buttons) {
    added.push_back(box.addButton(QString::fromStdString(label), QMessageBox::AcceptRole));
  }
  if (added.empty()) return -1;
  if (defaultButton >= 0 && defaultButton < static_cast<int>(added.size())) box.setDefaultButton(added[defaultButton]);
  // Escape and the window's close button: the last button, which changes nothing.
  box.setEscapeButton(added.back());
  box.exec();
  for (std::size_t i = 0; i < added.size(); ++i) {
    if (box.clickedButton() == added[i]) return static_cast<int>(i);
  }
  return static_cast<int>(added.size()) - 1;
}

std::vector<std::string> QtPlatformServices::chooseOpenFiles(const FileChooserRequest& request) {
  QFileDialog dialog(ownerOf(parent_));
  prepareChooser(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  std::vector<std::string> chosen;
  if (dialog.exec() != QDialog::Accepted) return chosen;
  for (const QString& path : dialog.selectedFiles()) chosen.push_back(path.toStdString());
  return chosen;
}

std::optional<std::string> QtPlatformServices::chooseSaveFile(const FileChooserRequest& request) {
  QFileDialog dialog(ownerOf(parent_));
  prepareChooser(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);  // the dialog asks before overwriting
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtPlatformServices::chooseFolder(const std::string& title,
                                                            const std::string& initialFolder) {
  const QString folder = QFileDialog::getExistingDirectory(ownerOf(parent_), QString::fromStdString(title),
                                                           QString::fromStdString(initialFolder));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::optional<std::uint32_t> QtPlatformServices::chooseColour(const std::string& title, std::uint32_t initial) {
  const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                     static_cast<int>((initial >> 16) & 0xFF));
  const QColor colour = QColorDialog::getColor(start, ownerOf(parent_), QString::fromStdString(title));
  if (!colour.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

void QtPlatformServices::setBusy(bool busy) {
  if (busy) {
    if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void QtPlatformServices::beep(int /*frequencyHz*/, int /*durationMs*/) { QApplication::beep(); }

}  // namespace qarto
