#pragma once
// The test window's pane: received and typed traffic, yellow on black in a bold fixed-pitch face.
// Its text is never edited by the keyboard: every key that stands for a byte is handed to the
// window to be shown and sent, Ctrl+Enter starts a line locally, Ctrl+Tab and Shift+Tab move the
// focus on, and the caret always returns to the end before anything is added.

#include <QByteArray>
#include <QPlainTextEdit>
#include <vector>

namespace mx::terminal {

// What a key pressed in the pane does.
struct PaneKey {
  enum class Action {
    Send,            // `bytes` are typed
    LocalLineBreak,  // Ctrl+Enter: a new line in the pane, nothing sent
    FocusList,       // Ctrl+Tab
    FocusExit,       // Shift+Tab, Ctrl+Shift+Tab
    CaretToEnd,      // Insert, Delete: nothing else
    Browse,          // arrows, page keys: move through the text as usual
  };
  Action action = Action::Browse;
  QByteArray bytes;
};
// The bytes of a key: its text as Latin-1 ('?' beyond), Return and Enter as CR, Escape as 27,
// Backspace as 8, Tab as 9, and Ctrl with @, A..Z, [, \, ], ^ or _ as the control byte 0..31.
PaneKey ClassifyPaneKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);

class TerminalPane : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TerminalPane(QWidget* parent = nullptr);

  // Adds `text` at the end ('\n' starts a new line). The caret and the view follow the end,
  // unless the user holds a selection, which then stays as it is.
  void Append(const QString& text);
  // Deletes `count` lines from the top, each with its line break, then `characters` from the
  // start of the line that is then first, without drawing in between.
  void DeleteTop(int count, int characters = 0);
  // The length of every line that holds text, top to bottom (as LineCount counts them).
  std::vector<int> LineLengths() const;
  void MoveCaretToEnd();
  // Lines that hold text: the empty line after a final line break, where the next byte will go,
  // is not counted.
  int LineCount() const;

 signals:
  void bytesTyped(const QByteArray& bytes);
  void focusListRequested();
  void focusExitRequested();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
};

}  // namespace mx::terminal
