#pragma once
// The texts of the setup program's frame: menus, status bar, document messages, About box and
// help window. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text {

// Menus.
inline constexpr std::string_view kMenuFile = "&File";
inline constexpr std::string_view kFileNew = "&New";
inline constexpr std::string_view kFileOpen = "&Open...";
inline constexpr std::string_view kFileSave = "&Save";
inline constexpr std::string_view kFileSaveAs = "Save As";
inline constexpr std::string_view kFilePrint = "&Print...";
inline constexpr std::string_view kFilePrintPreview = "Print Pre&view";
inline constexpr std::string_view kFilePrintSetup = "P&rint Setup...";
inline constexpr std::string_view kRecentFile = "Recent File";
inline constexpr std::string_view kFileExit = "E&xit";
inline constexpr std::string_view kMenuModel = "&Model";
inline constexpr std::string_view kMenuSetup = "&Setup";
inline constexpr std::string_view kSetupFind = "&Find Mesurix";
inline constexpr std::string_view kSetupCopy = "&Copy Channels";
inline constexpr std::string_view kSetupReset = "&Reset Parameters to Default Values";
inline constexpr std::string_view kSetupTest = "Communications &Test Program";
inline constexpr std::string_view kMenuTransfer = "&Transfer";
inline constexpr std::string_view kTransferRead = "&Read Parameters from Mesurix";
inline constexpr std::string_view kTransferSend = "&Send Parameters to Mesurix";
inline constexpr std::string_view kMenuHelp = "&Help";
inline constexpr std::string_view kHelpTopics = "&Help Topics";
inline constexpr std::string_view kQuickStart = "&Quick Start";
inline constexpr std::string_view kAboutItem = "&About MXSetup...";
inline constexpr std::string_view kChannelButton = "Channel %1";

// Status bar prompts.
inline constexpr std::string_view kReady = "Ready";
inline constexpr std::string_view kPromptNew = "Create a new configuration";
inline constexpr std::string_view kPromptOpen = "Open an existing configuration file";
inline constexpr std::string_view kPromptSave = "Save the configuration";
inline constexpr std::string_view kPromptSaveAs = "Save the configuration under a new name";
inline constexpr std::string_view kPromptPrint = "Print the summary of the settings";
inline constexpr std::string_view kPromptPrintPreview = "Show the printed summary on screen";
inline constexpr std::string_view kPromptPrintSetup = "Choose the printer and its options";
inline constexpr std::string_view kPromptRecent = "Open this configuration file";
inline constexpr std::string_view kPromptExit = "Quit the program; asks to save changes";
inline constexpr std::string_view kPromptFind = "Find the Mesurix on the serial ports";
inline constexpr std::string_view kPromptCopy = "Copy the settings of one channel to others";
inline constexpr std::string_view kPromptReset = "Return chosen settings to their default values";
inline constexpr std::string_view kPromptTest = "Watch and send raw serial traffic";
inline constexpr std::string_view kPromptRead = "Read the parameters from the Mesurix";
inline constexpr std::string_view kPromptSend = "Send the parameters to the Mesurix";
inline constexpr std::string_view kPromptChannel = "Show the settings of channel %1";
inline constexpr std::string_view kPromptHelpTopics = "List the help topics";
inline constexpr std::string_view kPromptQuickStart = "First steps with the program";
inline constexpr std::string_view kPromptAbout = "Program version and copyright";
inline constexpr std::string_view kPromptTabHelp = "Help on the tab shown";
inline constexpr std::string_view kIndicatorCaps = "CAP";
inline constexpr std::string_view kIndicatorNum = "NUM";
inline constexpr std::string_view kIndicatorScroll = "SCRL";

// Document.
inline constexpr std::string_view kFileFilter = "Mesurix Setup (*.mxs)";
inline constexpr std::string_view kFileExtension = ".mxs";
inline constexpr std::string_view kProgramTitle = "MXSetup";
inline constexpr std::string_view kCannotOpen = "Cannot open the file %1.\n\n%2";
inline constexpr std::string_view kCannotSave = "The file %1 could not be saved.\n\n%2";

// About box; the version number is the program's one, in core/ProgramVersion.h.
inline constexpr std::string_view kAboutTitle = "About MXSetup";
inline constexpr std::string_view kAboutProduct = "MXSetup, the Mesurix setup program";
inline constexpr std::string_view kVersionDate = "August 18, 2008";
inline constexpr std::string_view kRightsNotice =
    "Copyright (C) Brantwick Systems. All rights reserved.";

// Help window.
inline constexpr std::string_view kHelpTitle = "MXSetup Help";
inline constexpr std::string_view kHelpContents = "Contents";
inline constexpr std::string_view kHelpBack = "Back";
inline constexpr std::string_view kHelpMissing = "There is no help on this subject.";

}  // namespace mx::editor::text
