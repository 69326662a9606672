#include "editor/pages/FieldBinding.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/pages/PageTexts.h"

namespace mx::editor {
namespace {

// A list that leaves wheel steps to the page around it unless it has the focus (or always, once
// told to), so the page scrolls instead.
class WheelGuardedList : public QComboBox {
 public:
  WheelGuardedList() { setFocusPolicy(Qt::StrongFocus); }
  void RefuseWheel() { refuseWheel_ = true; }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (refuseWheel_ || !hasFocus()) {
      event->ignore();
      return;
    }
    QComboBox::wheelEvent(event);
  }

 private:
  bool refuseWheel_ = false;
};

class Latin1Validator : public QValidator {
 public:
  explicit Latin1Validator(QLineEdit* box) : QValidator(box), box_(box) {}
  State validate(QString& input, int& /*position*/) const override {
    const bool beyond =
        std::any_of(input.begin(), input.end(), [](QChar c) { return c.unicode() > 0xFF; });
    if (!beyond)
      return Acceptable;
    QApplication::beep();
    QToolTip::showText(box_->mapToGlobal(QPoint(0, box_->height())), BeyondLatin1Hint(), box_);
    return Invalid;
  }

 private:
  QLineEdit* box_;
};

// A label follows its box: a label in front of a disabled box is shown disabled.
class FollowBuddy : public QObject {
 public:
  FollowBuddy(QLabel* label, QWidget* box) : QObject(label), label_(label) {
    box->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange)
      label_->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
    return false;
  }

 private:
  QLabel* label_;
};

// A group whose controls are all disabled shows its title (and its plain labels) disabled too,
// without disabling the group itself, so every rule keeps switching its own controls.
class GroupTitleDimmer : public QObject {
 public:
  explicit GroupTitleDimmer(QGroupBox* group) : QObject(group), group_(group) {
    group->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == group_ && (event->type() == QEvent::Polish || event->type() == QEvent::Show))
      Watch();
    else if (watched != group_ && event->type() == QEvent::EnabledChange)
      Update();
    return false;
  }

 private:
  void Watch() {
    if (!controls_.empty())
      return;
    for (QWidget* child : group_->findChildren<QWidget*>()) {
      if (child->inherits("QAbstractButton") || child->inherits("QLineEdit") ||
          child->inherits("QComboBox")) {
        controls_.push_back(child);
        child->installEventFilter(this);
      }
    }
    own_ = group_->palette();
    Update();
  }
  void Update() {
    const bool allOff =
        !controls_.empty() &&
        std::none_of(controls_.begin(), controls_.end(), [](QWidget* w) { return w->isEnabled(); });
    if (allOff == dimmed_)
      return;
    dimmed_ = allOff;
    QPalette palette = own_;
    if (allOff) {
      for (QPalette::ColorGroup shown : {QPalette::Active, QPalette::Inactive})
        palette.setColor(shown, QPalette::WindowText,
                         own_.color(QPalette::Disabled, QPalette::WindowText));
    }
    group_->setPalette(palette);
  }

  QGroupBox* group_;
  std::vector<QWidget*> controls_;
  QPalette own_;
  bool dimmed_ = false;
};

}  // namespace

long long IntegerField::Get(const ParameterImage& image, int element) const {
  const auto bytes = image.Span(*info_, element);
  switch (info_->type) {
    case FieldType::I8:
      return static_cast<int8_t>(bytes[0]);
    case FieldType::U16: {
      uint16_t value = 0;
      std::memcpy(&value, bytes.data(), sizeof value);
      return value;
    }
    case FieldType::U32: {
      uint32_t value = 0;
      std::memcpy(&value, bytes.data(), sizeof value);
      return value;
    }
    default:  // U8 and the setting characters
      return bytes[0];
  }
}

void IntegerField::Set(ParameterImage& image, long long value, int element) const {
  const auto bytes = image.Span(*info_, element);
  const auto raw = static_cast<uint64_t>(value);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(raw >> (8 * i));
}

FieldBinding::FieldBinding(CMX3_SetupDoc& document, int element, QObject* owner)
    : QObject(owner), document_(document), element_(element) {}

ParameterImage& FieldBinding::Image() const {
  return document_.Image();
}

int FieldBinding::Element() const {
  return element_ == kShownChannel ? document_.CurrentChannel() : element_;
}

bool FieldBinding::MayStoreOnLeave() const {
  return !document_.Refreshing() && loaded_ == Element();
}

ChoiceBinding::ChoiceBinding(CMX3_SetupDoc& document, IntegerField field, QObject* owner,
                             int element)
    : FieldBinding(document, element, owner), field_(field), group_(new QButtonGroup(this)) {
  connect(group_, &QButtonGroup::idClicked, this,
          [this](int id) { emit Clicked(values_[static_cast<std::size_t>(id)]); });
  connect(group_, &QButtonGroup::idToggled, this, [this] { UpdateTabStops(); });
}

QRadioButton* ChoiceBinding::Add(std::string_view caption) {
  return Add(caption, static_cast<int>(buttons_.size()));
}

QRadioButton* ChoiceBinding::Add(std::string_view caption, int value) {
  auto* button = new QRadioButton(ButtonCaption(caption));
  group_->addButton(button, static_cast<int>(buttons_.size()));
  buttons_.push_back(button);
  values_.push_back(value);
  button->installEventFilter(this);
  UpdateTabStops();
  return button;
}

void ChoiceBinding::UpdateTabStops() {
  QAbstractButton* checked = group_->checkedButton();
  for (QRadioButton* button : buttons_) {
    const bool stop = checked == nullptr || button == checked;
    button->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void ChoiceBinding::MoveFocus(QRadioButton* from, int step) {
  const auto count = static_cast<int>(buttons_.size());
  const auto start =
      static_cast<int>(std::find(buttons_.begin(), buttons_.end(), from) - buttons_.begin());
  for (int i = start + step; i >= 0 && i < count; i += step) {
    QRadioButton* button = buttons_[static_cast<std::size_t>(i)];
    if (button->isEnabled() && button->isVisibleTo(button->window())) {
      button->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

bool ChoiceBinding::eventFilter(QObject* watched, QEvent* event) {
  auto* button = qobject_cast<QRadioButton*>(watched);
  if (button == nullptr || event->type() != QEvent::KeyPress)
    return FieldBinding::eventFilter(watched, event);
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      MoveFocus(button, -1);
      return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
      MoveFocus(button, 1);
      return true;
    default:
      return false;
  }
}

QRadioButton* ChoiceBinding::Button(int value) const {
  const auto found = std::find(values_.begin(), values_.end(), value);
  return found == values_.end() ? nullptr
                                : buttons_[static_cast<std::size_t>(found - values_.begin())];
}

std::optional<int> ChoiceBinding::Selected() const {
  const int id = group_->checkedId();
  if (id < 0)
    return std::nullopt;
  return values_[static_cast<std::size_t>(id)];
}

void ChoiceBinding::Select(int value) {
  if (QRadioButton* button = Button(value)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group never lets its last checked button go.
  group_->setExclusive(false);
  for (QRadioButton* button : buttons_)
    button->setChecked(false);
  group_->setExclusive(true);
  UpdateTabStops();
}

void ChoiceBinding::Load() {
  Select(static_cast<int>(field_.Get(Image(), Element())));
}

void ChoiceBinding::Store() {
  if (const std::optional<int> value = Selected())
    field_.Set(Image(), *value, Element());
}

void ChoiceBinding::FocusSelected() {
  if (QAbstractButton* button = group_->checkedButton())
    button->setFocus();
}

CheckBinding::CheckBinding(CMX3_SetupDoc& document, IntegerField field, std::string_view caption,
                           QObject* owner, int element, Ticked ticked)
    : FieldBinding(document, element, owner),
      field_(field),
      box_(new QCheckBox(ButtonCaption(caption))),
      ticked_(ticked) {
  connect(box_, &QCheckBox::clicked, this, &CheckBinding::Clicked);
}

bool CheckBinding::IsTicked() const {
  return box_->isChecked();
}

void CheckBinding::Load() {
  const bool nonZero = field_.Get(Image(), Element()) != 0;
  box_->setChecked(ticked_ == Ticked::kStoresOne ? nonZero : !nonZero);
}

void CheckBinding::Store() {
  const bool one = box_->isChecked() == (ticked_ == Ticked::kStoresOne);
  field_.Set(Image(), one ? 1 : 0, Element());
}

long long ReadInteger(const QString& text) {
  return mx::ReadInteger(desktop::ToLatin1(text));
}

NumberBinding::NumberBinding(CMX3_SetupDoc& document, IntegerField field, const NumberBox& rules,
                             QObject* owner, int element)
    : FieldBinding(document, element, owner), field_(field), rules_(rules), box_(new QLineEdit) {
  box_->setMaxLength(rules_.maxLength);
  box_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box_));
}

long long NumberBinding::Typed() const {
  return ReadInteger(box_->text());
}

long long NumberBinding::Clamped() const {
  return StoredNumber(rules_, desktop::ToLatin1(box_->text()));
}

void NumberBinding::Show(long long value) {
  box_->setText(desktop::FromLatin1(NumberBoxText(rules_, value)));
}

void NumberBinding::Load() {
  Show(field_.Get(Image(), Element()));
  MarkLoaded();
}

void NumberBinding::Write(long long value) {
  field_.Set(Image(), value, Element());
  Show(value);
  MarkLoaded();
}

long long NumberBinding::Store() {
  const long long value = Clamped();
  Write(value);
  return value;
}

void NumberBinding::StoreWhenLeft() {
  connect(box_, &QLineEdit::editingFinished, this, [this] {
    if (MayStoreOnLeave())
      Store();
  });
}

TextBinding::TextBinding(CMX3_SetupDoc& document, Field<FieldType::Text> field, QObject* owner,
                         int element, int limit)
    : FieldBinding(document, element, owner), field_(field), box_(new QLineEdit) {
  box_->setMaxLength(limit > 0 ? limit : field.Info().size - 1);
  RefuseBeyondLatin1(box_);
}

void TextBinding::Load() {
  box_->setText(desktop::FromLatin1(Image().Text(field_, Element())));
}

void TextBinding::Store() {
  Image().SetText(field_, desktop::ToLatin1(box_->text()), Element());
  ApplyTextBoxRule(Image(), field_, Element(), box_->maxLength());
}

float ReadDecimal(const QString& text) {
  // The decimal point is always a period, whatever the user's locale says, so the pattern and
  // from_chars read it (and never a spelled "inf" or "nan").
  static const QRegularExpression kNumber(
      R"(^\s*([+-]?)((?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE]([+-]?[0-9]+))?))");
  constexpr qsizetype kReadLength = 98;
  const QRegularExpressionMatch match = kNumber.match(text.left(kReadLength));
  if (!match.hasMatch())
    return 0.0F;
  const std::string number = desktop::ToLatin1(match.captured(2));
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range)
    value = match.captured(3).startsWith('-') ? 0.0 : HUGE_VAL;
  constexpr double kLargest = std::numeric_limits<float>::max();
  value = std::min(value, kLargest);
  if (value == 0.0)
    return 0.0F;  // never a negative zero in the image
  return static_cast<float>(match.captured(1) == "-" ? -value : value);
}

QString FormatDecimal(float value) {
  if (value == 0.0F)
    return {};
  return QString::asprintf("%g", static_cast<double>(value));
}

DecimalBinding::DecimalBinding(CMX3_SetupDoc& document, Field<FieldType::F32> field, QObject* owner,
                               int element)
    : FieldBinding(document, element, owner), field_(field), box_(new QLineEdit) {}

void DecimalBinding::Show(float value) {
  shownValue_ = value;
  shownText_ = FormatDecimal(value);
  box_->setText(shownText_);
}

void DecimalBinding::Load() {
  Show(Image().Get(field_, Element()));
  MarkLoaded();
}

void DecimalBinding::Store() {
  const float value = box_->text() == shownText_ ? shownValue_ : ReadDecimal(box_->text());
  Image().Set(field_, value, Element());
  Show(value);
}

void DecimalBinding::StoreWhenLeft() {
  connect(box_, &QLineEdit::editingFinished, this, [this] {
    if (MayStoreOnLeave())
      Store();
  });
}

ListBinding::ListBinding(CMX3_SetupDoc& document, IntegerField field, QObject* owner, int element)
    : FieldBinding(document, element, owner), field_(field), list_(new WheelGuardedList) {}

void ListBinding::Add(const QString& entry, int value) {
  list_->addItem(entry);
  values_.push_back(value);
}

void ListBinding::Select(int value) {
  const auto found = std::find(values_.begin(), values_.end(), value);
  list_->setCurrentIndex(found == values_.end() ? -1 : static_cast<int>(found - values_.begin()));
}

void ListBinding::Load() {
  Select(static_cast<int>(field_.Get(Image(), Element())));
}

void ListBinding::Store() {
  if (const int index = list_->currentIndex(); index >= 0)
    field_.Set(Image(), values_[static_cast<std::size_t>(index)], Element());
}

void ListBinding::RefuseWheel() {
  static_cast<WheelGuardedList*>(list_)->RefuseWheel();
}

void ControlSet::Add(std::initializer_list<QWidget*> controls) {
  controls_.insert(controls_.end(), controls.begin(), controls.end());
}

void ControlSet::SetEnabled(bool on) const {
  for (QWidget* control : controls_)
    control->setEnabled(on);
}

QString ButtonCaption(std::string_view caption) {
  return desktop::FromUtf8(caption).replace('&', QLatin1String("&&"));
}

QGroupBox* MakeGroup(std::string_view caption) {
  auto* group = new QGroupBox(ButtonCaption(caption));
  new GroupTitleDimmer(group);
  return group;
}

bool TitleDimmed(const QGroupBox* group) {
  const QPalette& palette = group->palette();
  return palette.color(QPalette::Active, QPalette::WindowText) ==
         palette.color(QPalette::Disabled, QPalette::WindowText);
}

QLabel* LabelFor(std::string_view caption, QWidget* box) {
  QLabel* label = MakeLabel(caption);
  label->setBuddy(box);
  box->setAccessibleName(label->text());
  new FollowBuddy(label, box);
  return label;
}

void NameAfter(QWidget* box, const QString& name) {
  box->setAccessibleName(name);
}

QLabel* MakeLabel(std::string_view text) {
  return new QLabel(desktop::FromUtf8(text));
}

void RefuseBeyondLatin1(QLineEdit* box) {
  box->setValidator(new Latin1Validator(box));
}

QString BeyondLatin1Hint() {
  return desktop::FromUtf8(text::kBeyondLatin1);
}

void FitToCharacters(QLineEdit* box, int characters) {
  // The way QLineEdit sizes itself, for `characters` digits instead of seventeen x.
  QStyleOptionFrame option;
  option.initFrom(box);
  option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
  const QMargins margins = box->textMargins();
  const int width = box->fontMetrics().horizontalAdvance(QString(std::max(characters, 2), '0')) +
                    4 + margins.left() + margins.right();
  const QSize size = box->style()->sizeFromContents(QStyle::CT_LineEdit, &option,
                                                    QSize(width, box->sizeHint().height()), box);
  box->setFixedWidth(size.width());
}

}  // namespace mx::editor
