#pragma once
// Command identifiers and help topic numbers of the setup program's window. The identifiers name
// the commands in tests and in the routing; the topic numbers select a help page. They stay inside
// the window: the layers below speak of models by ModelIndex.

#include "core/ModelTable.h"

namespace mx::editor::cmd {

inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileExportPdf = 32850;  // the program's own, beside the print commands
inline constexpr int kFileRecent = 57616;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kFind = 1064;
inline constexpr int kCopyChannels = 1039;
inline constexpr int kReset = 32811;
inline constexpr int kCommTest = 1103;
inline constexpr int kRead = 1056;
inline constexpr int kSend = 1055;
inline constexpr int kHelpTopics = 32785;
inline constexpr int kQuickStart = 32786;
inline constexpr int kTabHelp = 32787;

// The Model menu: one command per model, in model order.
inline constexpr int kFirstModel = 32803;
constexpr int ModelCommand(ModelIndex model) {
  return kFirstModel + model;
}

// Channel A..E, in channel order.
inline constexpr int kChannelCommands[5] = {32791, 32795, 32793, 32794, 32832};

}  // namespace mx::editor::cmd

namespace mx::editor::help {

inline constexpr int kQuickStart = 100;
inline constexpr int kContents = 200;
inline constexpr int kStatus = 301;
inline constexpr int kReadSwitch = 302;
inline constexpr int kBasic = 303;
inline constexpr int kRs232 = 304;
inline constexpr int kExtended = 305;
inline constexpr int kNetwork = 306;
inline constexpr int kToggle = 307;

}  // namespace mx::editor::help
