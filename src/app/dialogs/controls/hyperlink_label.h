#pragma once

#include <QLabel>
#include <QUrl>

#include <functional>

namespace qarto {

// A label that opens a web address when clicked: hand cursor, the address
// as tool tip, link colours (unvisited and visited). When the desktop
// cannot open the address the user reads "Unable to open hyperlink:\n\n"
// followed by the reason.
class HyperlinkLabel : public QLabel {
  Q_OBJECT
 public:
  // Opens a URL; an empty result means success, any other text is the reason.
  using Opener = std::function<QString(const QUrl&)>;
  // Tells the user about a failure; gets the whole message.
  using FailureReporter = std::function<void(const QString&)>;

  HyperlinkLabel(const QString& text, const QUrl& url, QWidget* parent = nullptr);

  const QUrl& url() const { return url_; }
  bool visited() const { return visited_; }
  void setOpener(Opener opener) { opener_ = std::move(opener); }
  void setFailureReporter(FailureReporter reporter) { reporter_ = std::move(reporter); }

  // What a click does. True when the address was opened.
  bool open();

  static QColor linkColour() { return {0, 0, 238}; }
  static QColor visitedColour() { return {85, 26, 139}; }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void applyColour();

  QUrl url_;
  bool visited_ = false;
  Opener opener_;
  FailureReporter reporter_;
};

// The desktop's own way of opening an address, with a reason on failure.
QString openWithDesktop(const QUrl& url);

}  // namespace qarto
