// GoogleTest main for suites that need a Qt application object (timers, sockets, widgets).
#include <gtest/gtest.h>

#ifdef MX_TEST_GUI
#include <QApplication>
using MxTestApplication = QApplication;
#else
#include <QCoreApplication>
using MxTestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
#ifdef MX_TEST_GUI
  // CTest lists the tests (gtest_discover_tests) without the test's ENVIRONMENT, and a
  // QApplication without a display aborts; the offscreen platform keeps listing working.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  MxTestApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
