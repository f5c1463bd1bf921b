#include "app/frame/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace qarto {

namespace {

const QString kMimeType = QString::fromLatin1(kCellsMimeType);

}  // namespace

SystemClipboard::SystemClipboard(QObject* parent) : QObject(parent) {
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &SystemClipboard::clipboardChanged);
  clipboardChanged();
}

void SystemClipboard::clipboardChanged() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  holdsCells_ = data != nullptr && data->hasFormat(kMimeType);
}

void SystemClipboard::put(const ClipboardContent& content) {
  auto* data = new QMimeData;
  data->setData(kMimeType, QByteArray(reinterpret_cast<const char*>(content.cells.data()),
                                      static_cast<qsizetype>(content.cells.size())));
  const DisplayImage& picture = content.picture;
  if (picture.width > 0 && picture.height > 0) {
    const QImage image(picture.rgba.data(), picture.width, picture.height, picture.width * 4,
                       QImage::Format_RGBA8888);
    data->setImageData(image.copy());  // the clipboard keeps it after `content` goes
  }
  QGuiApplication::clipboard()->setMimeData(data);
  clipboardChanged();
}

std::optional<std::vector<std::uint8_t>> SystemClipboard::cells() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasFormat(kMimeType)) return std::nullopt;
  const QByteArray bytes = data->data(kMimeType);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace qarto
