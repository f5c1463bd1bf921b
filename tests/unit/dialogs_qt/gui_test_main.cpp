// The dialogs' test program: a QApplication on the offscreen platform (the
// configuration folders are redirected by support_qt), the C numeric
// locale, and a time limit for every test so that a dialog waiting for
// input fails the run instead of hanging it.
#include <gtest/gtest.h>

#include <QApplication>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr unsigned kSecondsPerTest = 60;

void timedOut(int) {
  static const char text[] = "\ntest timed out: a dialog is probably waiting for input\n";
  ssize_t ignored = write(STDERR_FILENO, text, sizeof text - 1);
  (void)ignored;
  std::_Exit(124);
}

// The offscreen platform cannot size windows to their layouts' hints and
// says so for every fixed-size dialog; nothing else is kept quiet.
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
  defaultHandler(type, context, message);
}

class TimeLimit : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { alarm(kSecondsPerTest); }
  void OnTestEnd(const testing::TestInfo&) override { alarm(0); }
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");

  defaultHandler = qInstallMessageHandler(quietHandler);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  std::signal(SIGALRM, timedOut);

  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new TimeLimit);
  return RUN_ALL_TESTS();
}
