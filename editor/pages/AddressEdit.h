#pragma once
// A four-part address (TCP/IP address, subnet mask, gateway): four boxes of one octet each between
// fixed dots, first octet on the left. Each box takes 0..255 and nothing else, whether typed or
// pasted; a digit that would make an octet larger is refused with a beep and a message, and the
// octet keeps the focus until it is corrected (a dot or blank does not leave it), so the digits
// typed after the refused one never complete some other address. An emptied box counts as 0 and
// shows 0 again once it is left. A dot or a blank
// moves on to the next octet, as does the third digit; Backspace and the arrow keys cross from one
// box into the next. A whole address ("192.168.0.10") pasted into any box fills all four; other
// text is pasted into the octet whole or not at all. Nothing can be dropped into it.

#include <QClipboard>
#include <QFrame>
#include <array>
#include <cstdint>

class QLineEdit;

namespace mx::editor {

class AddressEdit : public QFrame {
  Q_OBJECT
 public:
  using Octets = std::array<uint8_t, 4>;

  explicit AddressEdit(QWidget* parent = nullptr);

  Octets Address() const;
  void SetAddress(const Octets& octets);
  // "a.b.c.d".
  QString Text() const;
  // Takes a whole address; false (and nothing changed) for anything that is not four octets.
  bool SetText(const QString& text);
  // The name a screen reader announces for the control; each octet box is named after it.
  void SetName(const QString& name);
  QLineEdit* Part(int index) const { return parts_[static_cast<std::size_t>(index)]; }

 signals:
  // The user changed an octet.
  void Edited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int IndexOf(QObject* part) const;
  void MoveTo(int index, bool selectAll, int cursor);
  void PasteInto(QLineEdit* part, QClipboard::Mode mode = QClipboard::Clipboard);
  // True when `digit` would take the octet above 255 (it was refused then).
  bool RefuseDigit(int index, const QString& digit);

  std::array<QLineEdit*, 4> parts_{};
  int refused_ = -1;  // the octet whose digit was refused, until it is edited
};

}  // namespace mx::editor
