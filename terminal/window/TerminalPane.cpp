#include "terminal/window/TerminalPane.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace mx::terminal {
namespace {

constexpr char kCr = 13;
constexpr char kEsc = 27;
constexpr char kBackspace = 8;
constexpr char kTab = 9;

QFont PaneFont() {
  QFont font;
  // Where "Lucida Console" is missing, a metric-alike mono face stands in, never a proportional
  // one.
  font.setFamilies({QStringLiteral("Lucida Console"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(9);
  font.setBold(true);
  return font;
}

}  // namespace

PaneKey ClassifyPaneKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  const bool control = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool alt = modifiers & Qt::AltModifier;
  using Action = PaneKey::Action;
  switch (key) {
    case Qt::Key_Tab:
      if (shift)
        return {Action::FocusExit, {}};
      if (control)
        return {Action::FocusList, {}};
      return {Action::Send, QByteArray(1, kTab)};
    case Qt::Key_Backtab:
      return {Action::FocusExit, {}};
    case Qt::Key_Insert:
    case Qt::Key_Delete:
      return {Action::CaretToEnd, {}};
    case Qt::Key_Escape:
      return {Action::Send, QByteArray(1, kEsc)};
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (control)
        return {Action::LocalLineBreak, {}};
      return {Action::Send, QByteArray(1, kCr)};
    case Qt::Key_Backspace:
      return {Action::Send, QByteArray(1, kBackspace)};
    default:
      break;
  }
  // Ctrl+A is byte 1 and Ctrl+[ byte 27, whatever text the platform made of the key.
  if (control && !alt && key >= Qt::Key_At && key <= Qt::Key_Underscore)
    return {Action::Send, QByteArray(1, static_cast<char>(key & 0x1F))};
  if (text.isEmpty() || (control && !alt))
    return {Action::Browse, {}};
  QByteArray bytes;
  for (const QChar ch : text)
    bytes.append(ch.unicode() <= 0xFF ? static_cast<char>(ch.unicode()) : '?');
  return {Action::Send, bytes};
}

TerminalPane::TerminalPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  // Read-only for the keyboard, but the caret shows and the text can be selected to be printed.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setUndoRedoEnabled(false);
  setFont(PaneFont());
  QPalette colours = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Base, Qt::black);
    colours.setColor(group, QPalette::Text, QColor(255, 255, 0));
  }
  colours.setColor(QPalette::Disabled, QPalette::Base, Qt::black);
  colours.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 0));
  setPalette(colours);
}

void TerminalPane::MoveCaretToEnd() {
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::End);
  setTextCursor(cursor);
  ensureCursorVisible();
}

int TerminalPane::LineCount() const {
  const int blocks = blockCount();
  return document()->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

void TerminalPane::Append(const QString& text) {
  const bool following = !textCursor().hasSelection();
  QTextCursor end(document());
  end.movePosition(QTextCursor::End);
  end.insertText(text);
  if (following)
    MoveCaretToEnd();
}

std::vector<int> TerminalPane::LineLengths() const {
  std::vector<int> lengths;
  lengths.reserve(static_cast<std::size_t>(blockCount()));
  for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
    lengths.push_back(block.length() - 1);
  if (!lengths.empty() && lengths.back() == 0)
    lengths.pop_back();
  return lengths;
}

void TerminalPane::DeleteTop(int count, int characters) {
  if (count <= 0 && characters <= 0)
    return;
  const bool following = !textCursor().hasSelection();
  setUpdatesEnabled(false);
  QTextCursor top(document());
  top.movePosition(QTextCursor::Start);
  if (count > 0)
    top.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, count);
  if (characters > 0)
    top.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, characters);
  top.removeSelectedText();
  if (following)
    MoveCaretToEnd();
  setUpdatesEnabled(true);
}

bool TerminalPane::event(QEvent* event) {
  // Tab and Shift+Tab are keys of the terminal here, not the dialog's focus moves.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QPlainTextEdit::event(event);
}

void TerminalPane::keyPressEvent(QKeyEvent* event) {
  const PaneKey key = ClassifyPaneKey(event->key(), event->modifiers(), event->text());
  switch (key.action) {
    case PaneKey::Action::Send:
      MoveCaretToEnd();
      emit bytesTyped(key.bytes);
      break;
    case PaneKey::Action::LocalLineBreak:
      MoveCaretToEnd();
      Append(QStringLiteral("\n"));
      break;
    case PaneKey::Action::FocusList:
      emit focusListRequested();
      break;
    case PaneKey::Action::FocusExit:
      emit focusExitRequested();
      break;
    case PaneKey::Action::CaretToEnd:
      MoveCaretToEnd();
      break;
    case PaneKey::Action::Browse:
      QPlainTextEdit::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TerminalPane::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  MoveCaretToEnd();
}

}  // namespace mx::terminal
