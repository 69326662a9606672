// Both desktop programs' libraries in one binary. Each keeps its classes in a namespace of its own,
// so the names they share (CMainFrame, text::kFileFilter) can neither clash at link time nor stand
// for two different classes in Qt's meta-object system.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include "editor/device/DeviceEnvironment.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMainFrame.h"
#include "link/PreferencesStore.h"
#include "nettest/window/CMainFrame.h"

namespace mx {
namespace {

TEST(DesktopProgramsLinkTest, BothMainFramesAreBuiltByTheirOwnProgram) {
  MemoryPreferencesStore store;
  editor::DeviceEnvironment environment{&store, nullptr, nullptr, {}};
  editor::CMX3_SetupDoc document;
  editor::CMainFrame setup(document, environment);
  nettest::CMainFrame terminal;
  EXPECT_STREQ(setup.metaObject()->className(), "mx::editor::CMainFrame");
  EXPECT_STREQ(terminal.metaObject()->className(), "mx::nettest::CMainFrame");
  EXPECT_EQ(setup.windowTitle(), "MXSetup");
  EXPECT_EQ(terminal.windowTitle(), "LinkTest_Network - untitled");
}

// Each window shows its program's icon in the taskbar and in Alt+Tab: the dial on the setup
// program's blue, the two arrows on the terminal's slate, as in their menu entries.
TEST(DesktopProgramsLinkTest, EachMainFrameCarriesItsProgramIcon) {
  MemoryPreferencesStore store;
  editor::DeviceEnvironment environment{&store, nullptr, nullptr, {}};
  editor::CMX3_SetupDoc document;
  editor::CMainFrame setup(document, environment);
  nettest::CMainFrame terminal;
  const auto edgeColour = [](const QWidget& window) {
    return window.windowIcon().pixmap(48).toImage().pixelColor(4, 24).name();
  };
  EXPECT_EQ(edgeColour(setup), "#1f5fa8");
  EXPECT_EQ(edgeColour(terminal), "#263238");
}

}  // namespace
}  // namespace mx
