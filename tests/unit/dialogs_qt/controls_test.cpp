// The small controls the dialogs share.
#include <QSignalSpy>

#include "app/dialogs/about_box.h"
#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/controls/colour_button.h"
#include "app/dialogs/controls/hyperlink_label.h"
#include "app/dialogs/controls/tab_host.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

QColor centre(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(TabHost, ShowsOnlyThePageOfTheSelectedTab) {
  TabHost host;
  auto* first = new QLabel("first");
  auto* second = new QLabel("second");
  host.addPage(first, "One");
  host.addPage(second, "Two", exportFileTabIcon());
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  EXPECT_EQ(std::pair(first->isVisible(), second->isVisible()), std::pair(true, false));
  QSignalSpy changed(&host, &TabHost::currentChanged);
  host.tabBar()->setCurrentIndex(1);
  EXPECT_TRUE(waitFor([&] { return second->isVisible(); }));
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(changed.count(), 1);
}

TEST(HyperlinkLabel, AClickOpensTheAddressAndAFailureGivesTheReason) {
  AboutBox box;
  HyperlinkLabel& link = *box.homepageLink();
  QList<QUrl> opened;
  QStringList reported;
  link.setOpener([&opened](const QUrl& url) { return opened << url, QString(); });
  link.setFailureReporter([&reported](const QString& message) { reported << message; });
  showAndWait(box);
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(&link, Qt::LeftButton);
  EXPECT_EQ(opened, QList<QUrl>{link.url()});
  EXPECT_TRUE(reported.isEmpty());
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(85, 26, 139));  // visited

  HyperlinkLabel& feedback = *box.feedbackLink();
  feedback.setOpener([](const QUrl&) { return QString("No browser is installed."); });
  feedback.setFailureReporter([&reported](const QString& message) { reported << message; });
  EXPECT_FALSE(feedback.open());
  EXPECT_EQ(reported, QStringList{"Unable to open hyperlink:\n\nNo browser is installed."});
  EXPECT_EQ(feedback.palette().color(QPalette::WindowText), QColor(0, 0, 238));
}

TEST(ColourButton, ChoosesAColourAndShowsIt) {
  ScriptedServices services;
  ColourButton colour(services, "Grid");
  colour.setColour(0x00FFFFFF);
  QSignalSpy changed(&colour, &ColourButton::colourChanged);
  services.colourAnswers = {std::uint32_t{0x00102030}, std::nullopt};
  colour.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&colour));
  QTest::mouseClick(&colour, Qt::LeftButton);
  QTest::mouseClick(&colour, Qt::LeftButton);  // cancelled: unchanged
  EXPECT_EQ(std::pair(colour.colour(), changed.count()), std::pair(0x00102030u, qsizetype{1}));
  EXPECT_EQ(centre(colour), QColor(0x30, 0x20, 0x10));  // stored as 0x00BBGGRR
}

}  // namespace
}  // namespace qarto::test
