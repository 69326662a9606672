#include "editor/device/CommTestCommand.h"

#include "editor/device/DeviceCommandRunner.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "terminal/window/CommTestWindow.h"

namespace mx::editor {

void RunCommTestCommand(CMX3_SetupView& view, CMX3_SetupDoc& document,
                        const std::function<void(int topic)>& showHelp) {
  DeviceCommandRunner& runner = view.Commands();
  view.SetTestWindowOpen(true);
  runner.RunCommand([&](DeviceLink& link) {
    terminal::CommTestWindow window(
        link, document.CommTestSettings(),
        {showHelp, [&runner](QWidget* owner) { runner.SetOwner(owner); }}, view.window());
    window.Exec();
    return true;
  });
  runner.SetOwner(nullptr);
  view.SetTestWindowOpen(false);
  // Find in the window may have identified another model.
  document.Core().UpdateCaption();
}

}  // namespace mx::editor
