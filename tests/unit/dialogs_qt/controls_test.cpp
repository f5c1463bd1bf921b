// The small controls the dialogs share, and the about box.
#include <QPainter>
#include <QSignalSpy>

#include "app/dialogs/about_box.h"
#include "app/dialogs/art/dialog_art.h"
#include "app/dialogs/controls/bold_label.h"
#include "app/dialogs/controls/colour_button.h"
#include "app/dialogs/controls/hyperlink_label.h"
#include "app/dialogs/controls/icon_toggle_button.h"
#include "app/dialogs/controls/tab_host.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

QIcon solidIcon(const QColor& colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

TEST(TabHost, ShowsOnlyThePageOfTheSelectedTab) {
  TabHost host;
  auto* first = new QLabel("first");
  auto* second = new QLabel("second");
  EXPECT_EQ(host.addPage(first, "One"), 0);
  EXPECT_EQ(host.addPage(second, "Two", exportFileTabIcon()), 1);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  EXPECT_EQ(host.count(), 2);
  EXPECT_EQ(host.currentIndex(), 0);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(second->isVisible());

  QSignalSpy changed(&host, &TabHost::currentChanged);
  host.tabBar()->setCurrentIndex(1);
  EXPECT_TRUE(waitFor([&] { return second->isVisible(); }));
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(host.tabText(1), "Two");
  EXPECT_FALSE(host.tabBar()->tabIcon(1).isNull());
}

TEST(HyperlinkLabel, LooksLikeALink) {
  HyperlinkLabel link("Qarto Homepage", QUrl("https://example.org/qarto/"));
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link.toolTip(), "https://example.org/qarto/");
  EXPECT_TRUE(link.font().underline());
  EXPECT_EQ(link.palette().color(QPalette::WindowText), HyperlinkLabel::linkColour());
}

TEST(HyperlinkLabel, ClickOpensTheAddress) {
  HyperlinkLabel link("Qarto Homepage", QUrl("https://example.org/qarto/"));
  QList<QUrl> opened;
  QStringList reported;
  link.setOpener([&opened](const QUrl& url) {
    opened << url;
    return QString();
  });
  link.setFailureReporter([&reported](const QString& message) { reported << message; });
  link.resize(link.sizeHint());
  link.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&link));
  QTest::mouseClick(&link, Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0], QUrl("https://example.org/qarto/"));
  EXPECT_TRUE(reported.isEmpty());
  EXPECT_TRUE(link.visited());
  EXPECT_EQ(link.palette().color(QPalette::WindowText), HyperlinkLabel::visitedColour());
}

TEST(HyperlinkLabel, FailureGivesTheReason) {
  HyperlinkLabel link("Report a bug. Suggest a feature", QUrl("https://example.org/qarto/issues"));
  QStringList reported;
  link.setOpener([](const QUrl&) { return QString("No browser is installed."); });
  link.setFailureReporter([&reported](const QString& message) { reported << message; });
  EXPECT_FALSE(link.open());
  ASSERT_EQ(reported.size(), 1);
  EXPECT_EQ(reported[0], "Unable to open hyperlink:\n\nNo browser is installed.");
  EXPECT_FALSE(link.visited());
}

TEST(ColourButton, ChoosesWithTheCurrentColourPreselected) {
  ScriptedServices services;
  ColourButton colour(services, "Grid");
  colour.setColour(0x00FFFFFF);
  QSignalSpy changed(&colour, &ColourButton::colourChanged);
  services.colourAnswers = {std::uint32_t{0x00102030}, std::nullopt};
  colour.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&colour));

  QTest::mouseClick(&colour, Qt::LeftButton);
  EXPECT_EQ(colour.colour(), 0x00102030u);
  EXPECT_EQ(changed.count(), 1);
  QTest::mouseClick(&colour, Qt::LeftButton);  // cancelled: unchanged
  EXPECT_EQ(colour.colour(), 0x00102030u);
  EXPECT_EQ(changed.count(), 1);

  // The well shows the colour: red 0x30, green 0x20, blue 0x10.
  const QImage shown = colour.grab().toImage();
  EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(0x30, 0x20, 0x10));
  EXPECT_EQ(colourFromStored(0x000000FF), QColor(255, 0, 0));
  EXPECT_EQ(storedFromColour(QColor(0, 0, 255)), 0x00FF0000u);
}

TEST(IconToggleButton, ShowsTheIconOfItsState) {
  IconToggleButton toggle(solidIcon(Qt::green), solidIcon(Qt::red));
  toggle.resize(toggle.sizeHint());
  toggle.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toggle));
  auto centre = [&toggle] {
    const QImage image = toggle.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
  };
  EXPECT_FALSE(toggle.isChecked());
  EXPECT_EQ(centre(), QColor(Qt::red));
  QTest::mouseClick(&toggle, Qt::LeftButton);
  EXPECT_TRUE(toggle.isChecked());
  EXPECT_EQ(centre(), QColor(Qt::green));
}

TEST(BoldLabel, IsBold) {
  BoldLabel label("Qarto v0.99");
  EXPECT_TRUE(label.font().bold());
  EXPECT_EQ(label.text(), "Qarto v0.99");
}

TEST(AboutBox, TitleLinksAndPicture) {
  AboutBox box;
  EXPECT_EQ(box.windowTitle(), "About Qarto");
  EXPECT_EQ(child<QLabel>(box, "aboutTitle")->text(), "Qarto v0.99");
  EXPECT_EQ(box.feedbackLink()->text(), "Report a bug. Suggest a feature");
  EXPECT_EQ(box.homepageLink()->text(), "Qarto Homepage");
  EXPECT_FALSE(child<QLabel>(box, "aboutPicture")->pixmap().isNull());
  QStringList reported;
  box.homepageLink()->setOpener([](const QUrl&) { return QString("nothing here"); });
  box.homepageLink()->setFailureReporter([&reported](const QString& message) { reported << message; });
  box.homepageLink()->open();
  EXPECT_EQ(reported, QStringList{"Unable to open hyperlink:\n\nnothing here"});
}

TEST(DialogArt, EveryPictureIsDrawn) {
  EXPECT_FALSE(programIcon().isNull());
  EXPECT_EQ(programIcon().availableSizes().size(), 3);
  for (const QPixmap& pixmap : {widthSizeIcon(), heightSizeIcon(), aboutPicture()}) {
    ASSERT_FALSE(pixmap.isNull());
    const QImage image = pixmap.toImage();
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y) {
      for (int x = 0; x < image.width() && !drawn; ++x) drawn = qAlpha(image.pixel(x, y)) != 0;
    }
    EXPECT_TRUE(drawn);
  }
}

}  // namespace
}  // namespace qarto::test
