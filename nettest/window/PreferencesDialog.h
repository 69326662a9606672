#pragma once
// "Preferences": end-of-packet character and pane font size.

#include <QDialog>
#include <array>
#include <cstdint>

class QRadioButton;

namespace mx::nettest {

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kSmallestFont = 8;
  static constexpr int kFontSizeCount = 5;

  PreferencesDialog(uint8_t endOfPacket, int fontSize, QWidget* parent = nullptr);

  uint8_t EndOfPacket() const;  // 10 when "Linefeed" is chosen, else 13
  int FontSize() const;

 private:
  QRadioButton* carriageReturn_;
  QRadioButton* lineFeed_;
  std::array<QRadioButton*, kFontSizeCount> sizes_{};
};

}  // namespace mx::nettest
