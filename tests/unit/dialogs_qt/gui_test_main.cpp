// The dialogs' test program: a QApplication on the offscreen platform (settings
// redirected by support_qt), the C numeric locale; ctest times out a dialog left waiting.
#include <gtest/gtest.h>

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");

  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
