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
  MxTestApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
