#include "editor/pages/StatusPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <optional>

#include "core/FieldCodes.h"
#include "core/ModelTable.h"
#include "core/PageStoreRules.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/FieldBinding.h"
#include "editor/pages/FindButton.h"
#include "editor/pages/StatusTexts.h"

namespace mx::editor {
namespace {

constexpr int kBauds[] = {1200, 2400, 4800, 9600, 19200};
constexpr const char* kBaudCaptions[] = {"1200", "2400", "4800", "9600", "19.2K"};
constexpr char kParities[] = {'N', 'E', 'O'};
constexpr char kDataBits[] = {'7', '8'};

QRadioButton* AddRadio(QButtonGroup* group, int id, const QString& caption, QLayout* layout) {
  auto* radio = new QRadioButton(caption);
  group->addButton(radio, id);
  layout->addWidget(radio);
  return radio;
}

// Where an arrow key moves the focus in the model grid (Plus models above, Network models below,
// Mesurix3 to Mesurix6 from left to right): the model index there, -1 at the edge, or nullopt for
// a key that is not an arrow.
std::optional<int> ModelInDirection(int model, int key) {
  switch (key) {
    case Qt::Key_Left:
      return model >= 2 ? model - 2 : -1;
    case Qt::Key_Right:
      return model + 2 < kModelCount ? model + 2 : -1;
    case Qt::Key_Up:
      return model % 2 == 1 ? model - 1 : -1;
    case Qt::Key_Down:
      return model % 2 == 0 ? model + 1 : -1;
    default:
      return std::nullopt;
  }
}

void Check(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id))
    button->setChecked(true);
}

}  // namespace

int ClampStartChannelNumber(const QString& typed) {
  return static_cast<int>(StoredNumber(box::kStartChannel, desktop::ToLatin1(typed)));
}

StatusPage::StatusPage(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kStatus, parent) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(BuildConnectionGroup(), 0, 0);
  find_ = new FindButton(this);
  find_->setObjectName("find");
  connect(find_, &QPushButton::clicked, this, &StatusPage::FindRequested);
  layout->addWidget(find_, 0, 1, Qt::AlignCenter);
  layout->addWidget(BuildModelGroup(), 1, 0, 1, 2);
  layout->addWidget(BuildHostSerialGroup(), 2, 0, 1, 2);

  // The starting channel on the left; the default pushbutton and the description stacked on the
  // right, which keeps the page short enough for a laptop screen.
  auto* lower = new QHBoxLayout;
  lower->addWidget(BuildStartChannelGroup());
  auto* right = new QVBoxLayout;
  auto* defaultButton = new QGroupBox(desktop::FromUtf8(text::kGroupDefaultButton));
  auto* defaultLayout = new QVBoxLayout(defaultButton);
  enableButton_ = new QCheckBox(desktop::FromUtf8(text::kEnableButton));
  defaultLayout->addWidget(enableButton_);
  right->addWidget(defaultButton);
  auto* descriptionGroup = new QGroupBox(desktop::FromUtf8(text::kGroupDescription));
  auto* descriptionLayout = new QVBoxLayout(descriptionGroup);
  description_ = new QLineEdit;
  RefuseBeyondLatin1(description_);
  description_->setAccessibleName(desktop::FromUtf8(text::kGroupDescription));
  description_->setMaxLength(kDescriptionLimit);
  descriptionLayout->addWidget(description_);
  right->addWidget(descriptionGroup);
  lower->addLayout(right, 1);
  layout->addLayout(lower, 3, 0, 1, 2);

  LoadFromImage();
  CheckModel(kModelTable[0].index);
}

QWidget* StatusPage::BuildConnectionGroup() {
  auto* group = new QGroupBox(desktop::FromUtf8(text::kGroupConnection));
  auto* grid = new QGridLayout(group);
  const std::string_view labels[] = {text::kLineSerial, text::kLineNetwork, text::kLineSerialNumber,
                                     text::kLineModelVersion};
  for (int row = 0; row < 4; ++row) {
    grid->addWidget(new QLabel(desktop::FromUtf8(labels[row])), row, 0);
    grid->addWidget(new QLabel(desktop::FromUtf8(text::kEquals)), row, 1);
    auto* value = new QLabel;
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QString(44, 'x')));
    grid->addWidget(value, row, 2);
    lines_[static_cast<std::size_t>(row)] = value;
  }
  grid->setColumnStretch(2, 1);
  return group;
}

QWidget* StatusPage::BuildModelGroup() {
  auto* group = new QGroupBox(desktop::FromUtf8(text::kGroupModel));
  auto* grid = new QGridLayout(group);
  models_ = new QButtonGroup(this);
  for (const ModelInfo& model : kModelTable) {
    auto* radio = new QRadioButton(desktop::FromUtf8(model.name));
    models_->addButton(radio, model.index);
    // Plus models above, Network models below, Mesurix3 to Mesurix6 from left to right.
    grid->addWidget(radio, model.network ? 1 : 0, model.index / 2);
    connect(radio, &QRadioButton::clicked, this,
            [this, index = model.index] { emit ModelClicked(index); });
    // A model change rewrites settings of every channel, so passing over a model with the arrow
    // keys must not choose it: arrows only move the focus, Space or a click chooses.
    radio->installEventFilter(this);
  }
  return group;
}

QWidget* StatusPage::BuildHostSerialGroup() {
  auto* group = new QGroupBox(desktop::FromUtf8(text::kGroupHostSerial));
  auto* row = new QHBoxLayout(group);
  const auto column = [&](std::string_view title) {
    auto* box = new QGroupBox(desktop::FromUtf8(title));
    auto* layout = new QVBoxLayout(box);
    row->addWidget(box);
    return layout;
  };

  // Five rates in two columns, so the group is no taller than the parity choice beside it.
  auto* baudBox = new QGroupBox(desktop::FromUtf8(text::kGroupBaud));
  auto* baud = new QGridLayout(baudBox);
  row->addWidget(baudBox);
  baud_ = new QButtonGroup(this);
  for (int i = 0; i < 5; ++i) {
    auto* radio = new QRadioButton(kBaudCaptions[i]);
    baud_->addButton(radio, i);
    baud->addWidget(radio, i % 3, i / 3);
  }

  QVBoxLayout* parity = column(text::kGroupParity);
  parity_ = new QButtonGroup(this);
  const std::string_view parityCaptions[] = {text::kNone, text::kEven, text::kOdd};
  for (int i = 0; i < 3; ++i) {
    QRadioButton* radio = AddRadio(parity_, i, desktop::FromUtf8(parityCaptions[i]), parity);
    connect(radio, &QRadioButton::clicked, this, [this, i] { ApplyParityRule(kParities[i]); });
  }
  parity->addStretch();

  QVBoxLayout* dataBits = column(text::kGroupDataBits);
  dataBits_ = new QButtonGroup(this);
  AddRadio(dataBits_, 0, "7", dataBits);
  AddRadio(dataBits_, 1, "8", dataBits);
  dataBits->addStretch();

  QVBoxLayout* stopBits = column(text::kGroupStopBits);
  stopBits_ = new QRadioButton("1");
  stopBits->addWidget(stopBits_);
  stopBits->addStretch();

  QVBoxLayout* handshake = column(text::kGroupHandshake);
  handshake_ = new QButtonGroup(this);
  AddRadio(handshake_, 0, desktop::FromUtf8(text::kNone), handshake);
  AddRadio(handshake_, 1, desktop::FromUtf8(text::kHardware), handshake);
  handshake->addStretch();
  return group;
}

QWidget* StatusPage::BuildStartChannelGroup() {
  auto* group = new QGroupBox(desktop::FromUtf8(text::kGroupStartChannel));
  auto* grid = new QGridLayout(group);
  startChannel_ = new QButtonGroup(this);
  for (int channel = 0; channel < 5; ++channel) {
    auto* radio = new QRadioButton(
        desktop::FromUtf8(text::kStartChannel).arg(QChar('A' + channel)).arg(channel + 1));
    startChannel_->addButton(radio, channel);
    grid->addWidget(radio, channel % 3, channel / 3);
    connect(radio, &QRadioButton::clicked, this, [this] { custom_->setEnabled(false); });
  }
  auto* custom = new QRadioButton(desktop::FromUtf8(text::kCustom));
  startChannel_->addButton(custom, startChannel::kCustom);
  custom_ = new QLineEdit;
  custom_->setAccessibleName(desktop::FromUtf8(text::kCustom));  // named by the choice before it
  custom_->setMaxLength(box::kStartChannel.maxLength);
  custom_->setFixedWidth(custom_->fontMetrics().horizontalAdvance("000") + 12);
  auto* customRow = new QHBoxLayout;
  customRow->addWidget(custom);
  customRow->addWidget(custom_);
  customRow->addStretch();
  grid->addLayout(customRow, 2, 1);
  connect(custom, &QRadioButton::clicked, this, [this] { custom_->setEnabled(true); });
  connect(custom_, &QLineEdit::editingFinished, this, &StatusPage::CommitCustomNumber);
  return group;
}

bool StatusPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* radio = qobject_cast<QAbstractButton*>(watched);
    const int model = radio ? models_->id(radio) : -1;
    if (model >= 0) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (const std::optional<int> next = ModelInDirection(model, key->key())) {
        if (*next >= 0)
          models_->button(*next)->setFocus(Qt::OtherFocusReason);
        return true;
      }
    }
  }
  return SetupPage::eventFilter(watched, event);
}

void StatusPage::ApplyParityRule(char parity) {
  const bool none = parity == 'N';
  Check(dataBits_, none ? 1 : 0);
  dataBits_->button(0)->setEnabled(!none);
  dataBits_->button(1)->setEnabled(none);
}

void StatusPage::CommitCustomNumber() {
  const int number = ClampStartChannelNumber(custom_->text());
  custom_->setText(QString::number(number));
  Document().Image().Set(fld::startChannelNumber, static_cast<uint8_t>(number));
}

void StatusPage::LoadFromImage() {
  const ParameterImage& image = Document().Image();
  const int baud = image.Get(fld::hostBaud);
  for (int i = 0; i < 5; ++i) {
    if (kBauds[i] == baud)
      Check(baud_, i);
  }
  const char parity = image.Get(fld::hostParity);
  for (int i = 0; i < 3; ++i) {
    if (kParities[i] == parity) {
      Check(parity_, i);
      ApplyParityRule(parity);
    }
  }
  stopBits_->setChecked(true);
  const int handshake = image.Get(fld::hostHandshake);
  if (handshake == 0 || handshake == 1)
    Check(handshake_, handshake);
  const int mode = image.Get(fld::startChannelMode);
  if (mode >= 0 && mode <= startChannel::kCustom)
    Check(startChannel_, mode);
  custom_->setText(desktop::FromLatin1(
      NumberBoxText(box::kStartChannel, static_cast<int8_t>(image.Get(fld::startChannelNumber)))));
  custom_->setEnabled(mode == startChannel::kCustom);
  description_->setText(desktop::FromLatin1(image.Text(fld::description)));
  enableButton_->setChecked(image.Get(fld::defaultButtonDisabled) == 0);
}

void StatusPage::StoreToImage() {
  ParameterImage& image = Document().Image();
  if (const int i = baud_->checkedId(); i >= 0)
    image.Set(fld::hostBaud, static_cast<uint16_t>(kBauds[i]));
  if (const int i = parity_->checkedId(); i >= 0)
    image.Set(fld::hostParity, kParities[i]);
  if (const int i = dataBits_->checkedId(); i >= 0)
    image.Set(fld::hostDataBits, kDataBits[i]);
  if (const int i = handshake_->checkedId(); i >= 0)
    image.Set(fld::hostHandshake, static_cast<uint8_t>(i));
  if (const int mode = startChannel_->checkedId(); mode >= 0) {
    image.Set(fld::startChannelMode, static_cast<uint8_t>(mode));
    if (mode == startChannel::kCustom)
      CommitCustomNumber();
    else
      image.Set(fld::startChannelNumber, static_cast<uint8_t>(mode + 1));
  }
  const std::string description = desktop::ToLatin1(description_->text().left(kDescriptionLimit));
  image.SetText(fld::description, description);
  // A character the image cannot hold is stored as "?"; the box shows what was stored.
  if (const QString stored = desktop::FromLatin1(description); stored != description_->text())
    description_->setText(stored);
  image.Set(fld::defaultButtonDisabled, static_cast<uint8_t>(enableButton_->isChecked() ? 0 : 1));
}

void StatusPage::ShowConnectionLines(const ConnectionStatusLines* lines, const QString& serialTip) {
  const std::string empty;
  const std::string* values[] = {&empty, &empty, &empty, &empty};
  if (lines) {
    values[0] = &lines->serial;
    values[1] = &lines->network;
    values[2] = &lines->serialNumber;
    values[3] = &lines->modelAndVersion;
  }
  for (std::size_t i = 0; i < 4; ++i)
    lines_[i]->setText(desktop::FromLatin1(*values[i]));
  lines_[0]->setToolTip(lines ? serialTip : QString());
}

void StatusPage::CheckModel(ModelIndex model) {
  if (IsKnownModel(model)) {
    models_->button(model)->setChecked(true);
    return;
  }
  models_->setExclusive(false);
  for (QAbstractButton* button : models_->buttons())
    button->setChecked(false);
  models_->setExclusive(true);
}

QAbstractButton* StatusPage::FindMesurixButton() const {
  return find_;
}

}  // namespace mx::editor
