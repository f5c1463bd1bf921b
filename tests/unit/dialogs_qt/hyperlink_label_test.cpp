// The hyperlink label of the about box. (The tab host and the colour buttons
// are exercised by the Preferences and Customize Export tests.)
#include "app/dialogs/about_box.h"
#include "app/dialogs/controls/hyperlink_label.h"
#include "gui_fixture.h"

namespace qarto::test {
namespace {

TEST(HyperlinkLabel, AClickOpensTheAddressAFailureGivesTheReasonAndEnterClosesTheBox) {
  AboutBox box;
  HyperlinkLabel& link = *box.homepageLink();
  QList<QUrl> opened;
  QStringList reported;
  link.setOpener([&opened](const QUrl& url) { return opened << url, QString(); });
  link.setFailureReporter([&reported](const QString& message) { reported << message; });
  showAndWait(box);
  QTest::mouseClick(&link, Qt::LeftButton);
  EXPECT_EQ(opened, QList<QUrl>{link.url()});
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(85, 26, 139));  // visited

  HyperlinkLabel& feedback = *box.feedbackLink();
  feedback.setOpener([](const QUrl&) { return QString("No browser is installed."); });
  feedback.setFailureReporter([&reported](const QString& message) { reported << message; });
  EXPECT_FALSE(feedback.open());
  EXPECT_EQ(reported, QStringList{"Unable to open hyperlink:\n\nNo browser is installed."});

  box.activateWindow();  // Enter closes the box and follows no link
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(waitFor([&box] { return !box.isVisible(); }));
  EXPECT_EQ(std::tuple(box.result(), opened.size(), reported.size()),
            std::tuple(int(QDialog::Accepted), qsizetype{1}, qsizetype{1}));
}

}  // namespace
}  // namespace qarto::test
