#pragma once
// Controls bound to fields of the document's image, the same way on every tab. A binding carries
// one value between one control and one element of one field, and nothing else: what enables what,
// and when a value is written (at once on a click, on leaving a box, or only when the page is
// stored), stays in each page's own code, in the order the page runs its steps.
//
// - ChoiceBinding: radio buttons that each store one value into the field (by default their
//   position: 0, 1, 2, ...). A value no button stores selects none; storing with none selected
//   leaves the field as it is. Tab enters the group at its checked button; the arrow keys only
//   move the focus, Space or a click chooses, since a choice may rewrite other settings.
// - CheckBinding: a check box on one byte, 1 when ticked (or 0, for the inverted flags).
// - NumberBinding: a box of digits with a character limit, held to a range when stored, 0 shown as
//   an empty box where the field wants it.
// - TextBinding: a text field of the image and its character limit.
// - DecimalBinding: a single-precision number shown like "%g", an empty box for 0.
// - ListBinding: a drop-down list whose entries each store one value. It takes wheel steps only
//   while it has the focus, so a page scrolled past it is never changed by accident.
// Each binding edits the element of the channel the pages show, or one fixed element (0 for a
// global field). Texts of the image travel one byte per character (Latin-1).

#include <QObject>
#include <QString>
#include <concepts>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "core/PageStoreRules.h"
#include "core/ParameterImage.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace mx::editor {

class CMX3_SetupDoc;

// The element a binding edits when it is not given a fixed one.
inline constexpr int kShownChannel = -1;

// A numeric or setting-character field, read and written as a whole number (a character field as
// its character code, a signed field with its sign).
class IntegerField {
 public:
  template <FieldType Type>
  requires(Type != FieldType::F32 && Type != FieldType::Text && Type != FieldType::Bytes &&
           Type != FieldType::Reserved) constexpr IntegerField(Field<Type> field)
      : info_(&field.Info()) {}

  long long Get(const ParameterImage& image, int element) const;
  // Keeps the low bytes that fit the field.
  void Set(ParameterImage& image, long long value, int element) const;
  const FieldInfo& Info() const { return *info_; }

 private:
  const FieldInfo* info_;
};

// What every binding shares: the document and the element it edits.
class FieldBinding : public QObject {
  Q_OBJECT
 public:
  // The field the control edits.
  virtual const FieldInfo& Info() const = 0;
  // The fixed element, or the channel shown now.
  int Element() const;
  bool FollowsChannel() const { return element_ == kShownChannel; }

 protected:
  FieldBinding(CMX3_SetupDoc& document, int element, QObject* owner);
  ParameterImage& Image() const;
  // The control now shows the value of Element().
  void MarkLoaded() { loaded_ = Element(); }
  // A box that stores on leaving may lose its focus because a refresh disables it after the
  // channel has changed but before it shows the new channel's value: it stores only into the
  // element it was loaded from, and never while the pages are refreshed.
  bool MayStoreOnLeave() const;

 private:
  CMX3_SetupDoc& document_;
  int element_;
  int loaded_ = -1;
};

class ChoiceBinding : public FieldBinding {
  Q_OBJECT
 public:
  ChoiceBinding(CMX3_SetupDoc& document, IntegerField field, QObject* owner,
                int element = kShownChannel);

  // A button that stores the next position (0 for the first button), or `value`.
  QRadioButton* Add(std::string_view caption);
  QRadioButton* Add(std::string_view caption, int value);

  // Null when no button stores `value`.
  QRadioButton* Button(int value) const;
  const std::vector<QRadioButton*>& Buttons() const { return buttons_; }
  std::optional<int> Selected() const;
  // Selects the button of `value`, or none.
  void Select(int value);
  void Load();
  // Writes the selected value; nothing when no button is selected.
  void Store();
  // The keyboard focus to the selected button (when there is one).
  void FocusSelected();
  const FieldInfo& Info() const override { return field_.Info(); }

 signals:
  // A user's click on the button of `value`.
  void Clicked(int value);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Only the checked button is a Tab stop (every button while none is checked).
  void UpdateTabStops();
  void MoveFocus(QRadioButton* from, int step);

  IntegerField field_;
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
  std::vector<int> values_;
};

class CheckBinding : public FieldBinding {
  Q_OBJECT
 public:
  enum class Ticked { kStoresOne, kStoresZero };
  CheckBinding(CMX3_SetupDoc& document, IntegerField field, std::string_view caption,
               QObject* owner, int element = kShownChannel, Ticked ticked = Ticked::kStoresOne);

  QCheckBox* Box() const { return box_; }
  const FieldInfo& Info() const override { return field_.Info(); }
  bool IsTicked() const;
  void Load();
  void Store();

 signals:
  // A user's click; the box is already in its new state.
  void Clicked(bool ticked);

 private:
  IntegerField field_;
  QCheckBox* box_;
  Ticked ticked_;
};

// The number at the start of a text the way "%d" reads it: blanks, a sign, digits; no number is 0.
long long ReadInteger(const QString& text);

class NumberBinding : public FieldBinding {
  Q_OBJECT
 public:
  NumberBinding(CMX3_SetupDoc& document, IntegerField field, const NumberBox& rules, QObject* owner,
                int element = kShownChannel);

  QLineEdit* Box() const { return box_; }
  const FieldInfo& Info() const override { return field_.Info(); }
  // The number in the box (an empty box is 0), and the same held to the rules' range.
  long long Typed() const;
  long long Clamped() const;
  void Show(long long value);
  void Load();
  // Writes `value` into the field and shows it.
  void Write(long long value);
  // Writes the clamped number and shows it; returns what was written.
  long long Store();
  // Makes leaving the box store it.
  void StoreWhenLeft();

 private:
  IntegerField field_;
  NumberBox rules_;
  QLineEdit* box_;
};

class TextBinding : public FieldBinding {
  Q_OBJECT
 public:
  // `limit` 0: as many characters as the field holds before its terminator.
  TextBinding(CMX3_SetupDoc& document, Field<FieldType::Text> field, QObject* owner,
              int element = kShownChannel, int limit = 0);

  QLineEdit* Box() const { return box_; }
  const FieldInfo& Info() const override { return field_.Info(); }
  void Load();
  void Store();

 private:
  Field<FieldType::Text> field_;
  QLineEdit* box_;
};

// A decimal number as typed: leading blanks, then a decimal floating-point number; text that does
// not start with one is 0. Only the first 98 characters count. Numbers beyond single precision are
// held to its largest value; "inf" and "nan" are not numbers here.
float ReadDecimal(const QString& text);
// Empty for 0, otherwise like "%g": six significant digits, plain or exponent, whichever is
// shorter.
QString FormatDecimal(float value);

class DecimalBinding : public FieldBinding {
  Q_OBJECT
 public:
  DecimalBinding(CMX3_SetupDoc& document, Field<FieldType::F32> field, QObject* owner,
                 int element = kShownChannel);

  QLineEdit* Box() const { return box_; }
  const FieldInfo& Info() const override { return field_.Info(); }
  void Load();
  // Reads the box, stores the number and shows it again. A box left as it was shown stores the
  // value it was shown from, so digits beyond the six on screen are never lost.
  void Store();
  void StoreWhenLeft();

 private:
  void Show(float value);

  Field<FieldType::F32> field_;
  QLineEdit* box_;
  float shownValue_ = 0.0F;
  QString shownText_;
};

class ListBinding : public FieldBinding {
  Q_OBJECT
 public:
  ListBinding(CMX3_SetupDoc& document, IntegerField field, QObject* owner,
              int element = kShownChannel);

  QComboBox* List() const { return list_; }
  const FieldInfo& Info() const override { return field_.Info(); }
  void Add(const QString& entry, int value);
  // Selects the entry of `value`, or none.
  void Select(int value);
  void Load();
  // Writes the selected entry's value; nothing when no entry is selected.
  void Store();
  // For a list whose choice rewrites other settings: no wheel step changes it, focused or not.
  void RefuseWheel();

 private:
  IntegerField field_;
  QComboBox* list_;
  std::vector<int> values_;
};

// Controls that are switched on and off together.
class ControlSet {
 public:
  ControlSet() = default;
  ControlSet(std::initializer_list<QWidget*> controls) : controls_(controls) {}
  template <typename Widget>
  requires std::derived_from<Widget, QWidget>
  void Add(const std::vector<Widget*>& controls) {
    controls_.insert(controls_.end(), controls.begin(), controls.end());
  }
  void Add(std::initializer_list<QWidget*> controls);
  void SetEnabled(bool on) const;

 private:
  std::vector<QWidget*> controls_;
};

// A caption for a button or a group box: an ampersand is shown as itself, never as a shortcut mark.
QString ButtonCaption(std::string_view caption);
// A group box with its exact caption. While all its controls are disabled, its title is shown
// disabled as well.
QGroupBox* MakeGroup(std::string_view caption);
bool TitleDimmed(const QGroupBox* group);
// A label in front of `box`: its buddy, shown disabled while the box is, and the box's name for
// screen readers.
QLabel* LabelFor(std::string_view caption, QWidget* box);
// A box without a label of its own is named after the control it belongs to.
void NameAfter(QWidget* box, const QString& name);
// A program text on a label (UTF-8).
QLabel* MakeLabel(std::string_view text);
// The image holds one byte per character: a character beyond Latin-1, typed or pasted, is refused
// with a beep and a hint, so the box never shows what cannot be stored.
void RefuseBeyondLatin1(QLineEdit* box);
// The hint shown then.
QString BeyondLatin1Hint();
// Makes a box as wide as `characters` digits need.
void FitToCharacters(QLineEdit* box, int characters);

}  // namespace mx::editor
