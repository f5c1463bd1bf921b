// The dialogs' test program: a QApplication on the offscreen platform (the
// configuration folders are redirected by support_qt) and the C numeric
// locale. A dialog left waiting for input fails its test by ctest's time
// limit (tests/CMakeLists.txt).
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
