#include "editor/pages/AddressEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QValidator>
#include <memory>
#include <optional>

#include "desktop/TextConversion.h"
#include "desktop/widgets/MessageBoxes.h"
#include "editor/pages/PageTexts.h"

namespace mx::editor {
namespace {

// One octet: up to three digits worth at most 255. Anything else never reaches the box.
class OctetValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*position*/) const override {
    if (input.size() > 3)
      return Invalid;
    for (const QChar c : input) {
      if (c < '0' || c > '9')
        return Invalid;
    }
    return input.isEmpty() || input.toInt() <= 255 ? Acceptable : Invalid;
  }
};

// Four octets written with dots, blanks around them allowed; nullopt for anything else.
std::optional<AddressEdit::Octets> ParseAddress(const QString& text) {
  static const QRegularExpression kAddress(R"(^\s*(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})\s*$)");
  const QRegularExpressionMatch match = kAddress.match(text);
  if (!match.hasMatch())
    return std::nullopt;
  AddressEdit::Octets octets{};
  for (int i = 0; i < 4; ++i) {
    const int value = match.captured(i + 1).toInt();
    if (value > 255)
      return std::nullopt;
    octets[static_cast<std::size_t>(i)] = static_cast<uint8_t>(value);
  }
  return octets;
}

}  // namespace

AddressEdit::AddressEdit(QWidget* parent) : QFrame(parent) {
  // Drawn like one text box: a sunken frame on the text background, the dots inside it.
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(0);
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      auto* dot = new QLabel(".");
      dot->setBackgroundRole(QPalette::Base);
      layout->addWidget(dot);
    }
    auto* part = new QLineEdit;
    part->setFrame(false);
    part->setAlignment(Qt::AlignCenter);
    part->setMaxLength(3);
    part->setValidator(new OctetValidator(part));
    part->setFixedWidth(part->fontMetrics().horizontalAdvance("0000") + 4);
    part->installEventFilter(this);
    part->setAcceptDrops(false);
    // Tab leaves the whole address; the octets after the first are reached by dot or arrow key.
    if (i > 0)
      part->setFocusPolicy(Qt::ClickFocus);
    connect(part, &QLineEdit::textEdited, this, [this, i, part](const QString& text) {
      refused_ = -1;
      if (text.size() == 3 && part->cursorPosition() == 3 && i < 3)
        MoveTo(i + 1, true, 0);
      emit Edited();
    });
    connect(part, &QLineEdit::editingFinished, this, [part] {
      if (part->text().isEmpty())
        part->setText("0");
    });
    layout->addWidget(part);
    parts_[static_cast<std::size_t>(i)] = part;
  }
  setFocusProxy(parts_[0]);
  setFixedSize(sizeHint());
  SetAddress({});
}

AddressEdit::Octets AddressEdit::Address() const {
  Octets octets{};
  for (std::size_t i = 0; i < 4; ++i)
    octets[i] = static_cast<uint8_t>(parts_[i]->text().toInt());  // empty reads as 0
  return octets;
}

void AddressEdit::SetAddress(const Octets& octets) {
  for (std::size_t i = 0; i < 4; ++i)
    parts_[i]->setText(QString::number(octets[i]));
}

QString AddressEdit::Text() const {
  const Octets octets = Address();
  return QString("%1.%2.%3.%4").arg(octets[0]).arg(octets[1]).arg(octets[2]).arg(octets[3]);
}

bool AddressEdit::SetText(const QString& text) {
  const std::optional<Octets> octets = ParseAddress(text);
  if (!octets)
    return false;
  SetAddress(*octets);
  return true;
}

void AddressEdit::SetName(const QString& name) {
  setAccessibleName(name);
  for (int i = 0; i < 4; ++i)
    Part(i)->setAccessibleName(QString("%1, octet %2").arg(name).arg(i + 1));
}

int AddressEdit::IndexOf(QObject* part) const {
  for (int i = 0; i < 4; ++i) {
    if (Part(i) == part)
      return i;
  }
  return -1;
}

void AddressEdit::MoveTo(int index, bool selectAll, int cursor) {
  QLineEdit* part = Part(index);
  part->setFocus(Qt::OtherFocusReason);
  if (selectAll)
    part->selectAll();
  else
    part->setCursorPosition(cursor < 0 ? static_cast<int>(part->text().size()) : cursor);
}

void AddressEdit::PasteInto(QLineEdit* part, QClipboard::Mode mode) {
  const QString pasted = QGuiApplication::clipboard()->text(mode);
  if (SetText(pasted)) {
    part->selectAll();
    emit Edited();
    return;
  }
  // Otherwise the text goes into this octet in place of the selection, whole or not at all: a
  // box that cuts a paste to its length would take "1234" as 123.
  QString text = part->text();
  const int start = part->hasSelectedText() ? part->selectionStart() : part->cursorPosition();
  text.replace(start, static_cast<int>(part->selectedText().size()), pasted.trimmed());
  int position = 0;
  if (part->validator()->validate(text, position) != QValidator::Acceptable)
    return;
  part->setText(text);
  part->setCursorPosition(start + static_cast<int>(pasted.trimmed().size()));
  emit Edited();
}

bool AddressEdit::RefuseDigit(int index, const QString& digit) {
  if (digit.size() != 1 || digit[0] < '0' || digit[0] > '9')
    return false;
  QLineEdit* part = Part(index);
  QString text = part->text();
  const int start = part->hasSelectedText() ? part->selectionStart() : part->cursorPosition();
  text.replace(start, static_cast<int>(part->selectedText().size()), digit);
  if (text.size() > 3 || text.toInt() <= 255)
    return false;
  refused_ = index;
  QApplication::beep();
  desktop::ShowMessageBox(window(), window()->windowTitle(),
                          desktop::FromUtf8(text::kOctetRange).arg(text), QMessageBox::Warning);
  MoveTo(index, true, 0);
  return true;
}

bool AddressEdit::eventFilter(QObject* watched, QEvent* event) {
  const int index = IndexOf(watched);
  if (index < 0)
    return QFrame::eventFilter(watched, event);
  QLineEdit* part = Part(index);
  if (event->type() == QEvent::ContextMenu) {
    // The box's own menu, with Paste taking a whole address as well.
    std::unique_ptr<QMenu> menu(part->createStandardContextMenu());
    if (auto* paste = menu->findChild<QAction*>("edit-paste")) {
      paste->disconnect();
      connect(paste, &QAction::triggered, part, [this, part] { PasteInto(part); });
    }
    menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
    // The X11 selection, pasted by the middle button, obeys the same rules as the clipboard.
    if (QGuiApplication::clipboard()->supportsSelection())
      PasteInto(part, QClipboard::Selection);
    return true;
  }
  if (event->type() != QEvent::KeyPress)
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Paste)) {
    PasteInto(part);
    return true;
  }
  if (RefuseDigit(index, key->text()))
    return true;
  const bool atStart = part->cursorPosition() == 0 && !part->hasSelectedText();
  const bool atEnd = part->cursorPosition() == part->text().size() && !part->hasSelectedText();
  switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Space: {
      // The dot after a third digit finds the next octet already entered (all selected).
      const bool justEntered = part->selectedText() == part->text();
      if (refused_ == index)
        QApplication::beep();
      else if (index < 3 && !part->text().isEmpty() && !justEntered)
        MoveTo(index + 1, true, 0);
      return true;  // never typed into an octet
    }
    case Qt::Key_Backspace:
    case Qt::Key_Left:
      if (atStart && index > 0) {
        MoveTo(index - 1, false, -1);
        return true;
      }
      return false;
    case Qt::Key_Right:
      if (atEnd && index < 3) {
        MoveTo(index + 1, false, 0);
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace mx::editor
