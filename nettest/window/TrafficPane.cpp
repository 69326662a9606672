#include "nettest/window/TrafficPane.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "desktop/TextConversion.h"
#include "nettest/NetTestTexts.h"

namespace mx::nettest {

const QColor TrafficPane::kReceivedColour(255, 255, 0);
const QColor TrafficPane::kTransmittedColour(0, 255, 0);

void SetUpTerminalPane(QPlainTextEdit* pane, int pointSize) {
  // The panes ask for "Lucida Console"; where it is not installed a metric-alike mono face stands
  // in, rather than whatever proportional face the font matcher would pick.
  static const bool substituted = [] {
    QFont::insertSubstitutions(
        QStringLiteral("Lucida Console"),
        {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
    return true;
  }();
  (void)substituted;
  QPalette palette = pane->palette();
  palette.setColor(QPalette::Base, Qt::black);
  palette.setColor(QPalette::Text, TrafficPane::kTransmittedColour);
  palette.setColor(QPalette::Highlight, QColor(0, 96, 160));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  pane->setPalette(palette);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Where no "Lucida Console" is installed, the substitution above supplies a fixed-pitch face.
  QFont font(QStringLiteral("Lucida Console"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setBold(true);
  font.setPointSize(std::clamp(pointSize, 8, 12));
  pane->setFont(font);
  pane->document()->setDefaultFont(font);
}

TrafficPane::TrafficPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  // Read-only keeps the text safe from the keyboard; these keep the caret and selection usable.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setTabChangesFocus(false);
  setUndoRedoEnabled(false);
  ApplyFontSize(10);
}

void TrafficPane::ApplyFontSize(int pointSize) {
  SetUpTerminalPane(this, pointSize);
  rightMargin_ = QFontMetrics(font()).horizontalAdvance(QStringLiteral("AA"));
}

int TrafficPane::CharacterCount() const {
  return document()->characterCount() - 1;
}

void TrafficPane::MoveCaretToEnd() {
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::End);
  setTextCursor(cursor);
}

int TrafficPane::ShowBytes(const QByteArray& bytes, bool received,
                           const TrafficDisplayOptions& options) {
  if (bytes.isEmpty())
    return 0;
  // The end-of-packet rules see every byte, however much of the batch is shown.
  const auto eop = static_cast<char>(options.endOfPacket);
  const int packets = static_cast<int>(std::count(bytes.begin(), bytes.end(), eop));
  const bool endedWithPacket = bytes.back() == eop;

  // The pane never holds more than kHardLimit characters: past it, only the newest kTrimKeep
  // remain. A large batch (a flooding peer delivers megabytes at a time) would mostly be formatted
  // and inserted only to be cut away at once, so only the text the pane will keep is made.
  const int before = CharacterCount();
  const TrafficTail tail =
      TailOfTrafficText(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())),
                        options, std::max(kTrimKeep, kHardLimit - before + 1));
  const bool replacesAll = before + tail.width > kHardLimit && tail.width >= kTrimKeep;
  std::string text = tail.text;
  if (replacesAll)
    text.erase(0, text.size() - static_cast<std::size_t>(kTrimKeep));

  // One insertion per batch: a colour change and an insertion per byte fell behind at a few
  // kilobytes a second.
  QTextCharFormat format;
  format.setForeground(received ? kReceivedColour : kTransmittedColour);
  format.setFontWeight(QFont::Bold);
  if (replacesAll)
    clear();
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(desktop::FromLatin1(text), format);
  setTextCursor(cursor);
  // The timer trims once a second; between its ticks a fast stream would grow the pane by far
  // more than it keeps and make each trim (and every layout) crawl. Past this hard ceiling the
  // pane is trimmed at once, by the timer's own rule.
  if (CharacterCount() > kHardLimit)
    Trim();
  KeepEndInView(endedWithPacket);
  return packets;
}

void TrafficPane::InsertLineBreak() {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QStringLiteral("\n"));
  setTextCursor(cursor);
  KeepEndInView(true);
}

void TrafficPane::EndLine() {
  if (!document()->lastBlock().text().isEmpty())
    InsertLineBreak();
}

bool TrafficPane::Trim() {
  const int count = CharacterCount();
  if (count <= kTrimAbove)
    return false;
  QTextCursor cursor(document());
  cursor.setPosition(0);
  cursor.setPosition(count - kTrimKeep, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  MoveCaretToEnd();
  return true;
}

void TrafficPane::KeepEndInView(bool endedWithPacket) {
  ensureCursorVisible();
  QScrollBar* bar = horizontalScrollBar();
  if (endedWithPacket) {
    bar->setValue(0);
    return;
  }
  // The "AA" margin keeps the newest character off the edge; Qt's scroll range ends at the text,
  // so at the very end of the longest line the margin is as much as the range allows.
  const QRect caret = cursorRect();
  const int right = viewport()->width() - rightMargin_;
  if (caret.right() > right)
    bar->setValue(bar->value() + caret.right() - right);
}

QMenu* TrafficPane::CreateContextMenu() {
  auto* menu = new QMenu(this);
  QAction* copy = menu->addAction(desktop::FromUtf8(text::kMenuCopy), this, &QPlainTextEdit::copy);
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(textCursor().hasSelection());
  menu->addAction(desktop::FromUtf8(text::kMenuSelectAll), this, &QPlainTextEdit::selectAll)
      ->setEnabled(!document()->isEmpty());
  return menu;
}

void TrafficPane::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

bool TrafficPane::event(QEvent* event) {
  // Paste must reach the window's Edit command (it types the clipboard), not the text control.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut)) {
      event->ignore();
      return true;
    }
  }
  // Tab is a byte to send here, not a move to the next control.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab &&
      !(static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier)) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QPlainTextEdit::event(event);
}

void TrafficPane::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    emit pasteRequested();
    return;
  }
  if (event->matches(QKeySequence::Cut))
    return;  // nothing to cut from the record of traffic
  if (event->matches(QKeySequence::Copy)) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Backspace:
      emit bytesTyped(QByteArray(1, 8));
      return;
    case Qt::Key_Tab:
      emit bytesTyped(QByteArray(1, 9));
      return;
    case Qt::Key_Insert:
    case Qt::Key_Delete:
      MoveCaretToEnd();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit bytesTyped(QByteArray(1, 13));
      return;
    default:
      break;
  }
  QByteArray bytes;
  for (QChar ch : event->text()) {
    if (ch.unicode() <= 0xFF)
      bytes.append(static_cast<char>(ch.unicode()));
  }
  if (!bytes.isEmpty()) {
    emit bytesTyped(bytes);
    return;
  }
  QPlainTextEdit::keyPressEvent(event);  // caret movement and selection
}

}  // namespace mx::nettest
