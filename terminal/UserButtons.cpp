#include "terminal/UserButtons.h"

#include <QByteArray>
#include <QString>

#include "core/ImageOperations.h"
#include "desktop/TextConversion.h"
#include "link/LinkSettings.h"

namespace mx::terminal {
namespace {

using desktop::FromUtf8;

constexpr std::string_view kLabelKeys[] = {"LinkTest_Button_Label_1", "LinkTest_Button_Label_2"};
constexpr std::string_view kCommandKeys[] = {"LinkTest_Button_Cmd_1", "LinkTest_Button_Cmd_2"};
constexpr std::string_view kDefaultLabels[] = {"Read All", "Gages"};
constexpr std::string_view kDefaultCommands[] = {"<R*", "<T*"};

}  // namespace

std::string CutToCharacters(std::string_view text, std::size_t limit) {
  return FromUtf8(text).left(static_cast<qsizetype>(limit)).toStdString();
}

UserButtons LoadUserButtons(PreferencesStore& store) {
  UserButtons buttons;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttons[i].label = CutToCharacters(
        store.ReadText(kSettingsSection, kLabelKeys[i], kDefaultLabels[i]), kLabelLimit);
    buttons[i].command = CutToCharacters(
        store.ReadText(kSettingsSection, kCommandKeys[i], kDefaultCommands[i]), kCommandLimit);
  }
  return buttons;
}

void StoreUserButtons(PreferencesStore& store, const UserButtons& buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    store.WriteText(kSettingsSection, kLabelKeys[i],
                    CutToCharacters(buttons[i].label, kLabelLimit));
    store.WriteText(kSettingsSection, kCommandKeys[i],
                    CutToCharacters(buttons[i].command, kCommandLimit));
  }
}

bool IsTestStringsKeyword(std::string_view command) {
  return FromUtf8(command).compare(FromUtf8(kTestStringsKeyword), Qt::CaseInsensitive) == 0;
}

std::vector<uint8_t> CommandBytes(std::string_view command) {
  const QByteArray latin1 = FromUtf8(command).toLatin1();
  std::string text(latin1.constData(), static_cast<std::size_t>(latin1.size()));
  std::vector<uint8_t> bytes(text.size());
  bytes.resize(TranslateHexEscapes(text, bytes));
  return bytes;
}

}  // namespace mx::terminal
