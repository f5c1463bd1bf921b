// The small controls the dialogs share. (The tab host shows its pages in
// the Preferences and Customize Export tests, whose clicks need them shown.)
#include <QSignalSpy>

#include "app/dialogs/about_box.h"
#include "app/dialogs/controls/colour_button.h"
#include "app/dialogs/controls/hyperlink_label.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

QColor centre(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(HyperlinkLabel, AClickOpensTheAddressAFailureGivesTheReasonAndEnterClosesTheBox) {
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

  box.activateWindow();  // Enter closes the box and follows no link
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(waitFor([&box] { return !box.isVisible(); }));
  EXPECT_EQ(std::tuple(box.result(), opened.size(), reported.size()),
            std::tuple(int(QDialog::Accepted), qsizetype{1}, qsizetype{1}));
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
