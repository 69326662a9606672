#pragma once
// What the "Communications Test Setup: " dialog shows and does, without its widgets: the chosen
// port and line, which ports may be chosen, the two user buttons and the printer font size. The
// dialog binds its radio buttons and fields to these members and calls the operations for
// "Enable all" and "Find MX"; the controller makes one per opening and applies it on OK.

#include <array>
#include <optional>
#include <string_view>

#include "link/PortMap.h"
#include "terminal/TestSettings.h"
#include "terminal/UserButtons.h"

namespace mx::terminal {

// A choice of a radio button group: its caption and the value it stands for.
template <typename T>
struct Choice {
  std::string_view caption;
  T value;
};

inline constexpr std::array<Choice<int>, 8> kBaudChoices{{{"1200", 1200},
                                                          {"2400", 2400},
                                                          {"4800", 4800},
                                                          {"9600", 9600},
                                                          {"19.2K", 19200},
                                                          {"38.4K", 38400},
                                                          {"57.6K", 57600},
                                                          {"115.2K", 115200}}};
inline constexpr std::array<Choice<char>, 5> kParityChoices{
    {{"None", 'N'}, {"Even", 'E'}, {"Odd", 'O'}, {"Mark", 'M'}, {"Space", 'S'}}};
inline constexpr std::array<Choice<char>, 4> kDataBitsChoices{
    {{"5", '5'}, {"6", '6'}, {"7", '7'}, {"8", '8'}}};
inline constexpr std::array<Choice<char>, 3> kStopBitsChoices{
    {{"1", '1'}, {"1.5", '0'}, {"2", '2'}}};
inline constexpr std::array<Choice<int>, 2> kPrinterFontChoices{
    {{"Standard", kStandardPrinterFont},
     {"Small   (Font size will be reset to standard when program is restarted.)",
      kSmallPrinterFont}}};

class SetupDialogModel {
 public:
  // What the dialog needs from the window behind it.
  class Services {
   public:
    virtual ~Services() = default;
    // Opens COM`port` at the line the window uses and closes it again at once.
    virtual bool TestOpen(int port) = 0;
    // Runs Find over the dialog; where the interface answered, if anywhere.
    virtual std::optional<PortSettings> FindInterface() = 0;
  };

  // Filled from the line the window uses: a speed, parity, data bits or stop bits that the dialog
  // does not offer selects 9600, None, 5 and 1.
  SetupDialogModel(Services& services, const PortSettings& inUse, bool enableAll,
                   const UserButtons& buttons, int printerFontSize);

  // The dialog's state, as its controls show it.
  PortSettings selected;
  bool enableAll;
  std::array<bool, kLastComPort + 1> portEnabled{};  // [1..20]
  UserButtons buttons;
  int printerFontSize;

  // The port check, run when the dialog opens and by "Enable all": every port with "Enable all",
  // otherwise only the ports that open; a chosen port that did not open gives way to the first
  // that did.
  void RunPortCheck();
  void SetEnableAll(bool on);
  // "Find MX": on success the found port and line become the selection and the ports are checked
  // again. True when the interface was found.
  bool FindMx();

 private:
  Services& services_;
};

}  // namespace mx::terminal
