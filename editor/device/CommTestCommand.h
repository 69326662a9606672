#pragma once
// Setup > "Communications Test Program": the communications test window, modal over the main
// window, on the document's device link and test settings. While it is open the view knows it
// (its keyboard rules step aside) and Find, run from the window or its setup dialog, puts its
// progress window and messages over whichever of the two is in front.

#include <functional>

namespace mx::editor {

class CMX3_SetupDoc;
class CMX3_SetupView;

// Returns when the window has closed.
void RunCommTestCommand(CMX3_SetupView& view, CMX3_SetupDoc& document,
                        const std::function<void(int topic)>& showHelp);

}  // namespace mx::editor
