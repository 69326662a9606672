#include "terminal/window/CommTestSetupDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "terminal/TerminalTexts.h"

namespace mx::terminal {
namespace {

using desktop::FromUtf8;

constexpr int kPortColumns = 4;

// A group of radio buttons, one per choice, its ids the choices' indexes.
template <typename T, std::size_t N>
QButtonGroup* AddChoices(QGroupBox* box, const std::array<Choice<T>, N>& choices) {
  auto* group = new QButtonGroup(box);
  auto* layout = new QVBoxLayout(box);
  for (std::size_t i = 0; i < N; ++i) {
    auto* radio = new QRadioButton(FromUtf8(choices[i].caption), box);
    group->addButton(radio, static_cast<int>(i));
    layout->addWidget(radio);
  }
  layout->addStretch();
  return group;
}

template <typename T, std::size_t N>
void Select(QButtonGroup* group, const std::array<Choice<T>, N>& choices, T value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (choices[i].value == value)
      group->button(static_cast<int>(i))->setChecked(true);
  }
}

template <typename T, std::size_t N>
T Chosen(const QButtonGroup* group, const std::array<Choice<T>, N>& choices, T fallback) {
  const int id = group->checkedId();
  return id >= 0 && id < static_cast<int>(N) ? choices[static_cast<std::size_t>(id)].value
                                             : fallback;
}

QGroupBox* Group(std::string_view title, QWidget* parent) {
  return new QGroupBox(FromUtf8(title), parent);
}

}  // namespace

CommTestSetupDialog::CommTestSetupDialog(SetupDialogModel& model, std::function<void(int)> showHelp,
                                         QWidget* parent)
    : QDialog(parent), model_(model), showHelp_(std::move(showHelp)) {
  setWindowTitle(FromUtf8(text::kSetupCaption));
  // Modal to the test window and the main window only: the help window stays usable.
  setWindowModality(Qt::WindowModal);

  QGroupBox* portBox = Group(text::kPortGroup, this);
  auto* portLayout = new QGridLayout(portBox);
  portGroup_ = new QButtonGroup(portBox);
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    auto* radio = new QRadioButton(FromUtf8(text::kPortChoice).arg(port), portBox);
    ports_[static_cast<std::size_t>(port)] = radio;
    portGroup_->addButton(radio, port);
    const int index = port - kFirstComPort;
    portLayout->addWidget(radio, index / kPortColumns, index % kPortColumns);
  }
  enableAll_ = new QCheckBox(FromUtf8(text::kEnableAll), portBox);
  portLayout->addWidget(enableAll_, (kLastComPort + kPortColumns - 1) / kPortColumns, 0, 1,
                        kPortColumns);

  QGroupBox* baudBox = Group(text::kBaudGroup, this);
  baud_ = AddChoices(baudBox, kBaudChoices);
  QGroupBox* parityBox = Group(text::kParityGroup, this);
  parity_ = AddChoices(parityBox, kParityChoices);
  QGroupBox* dataBox = Group(text::kDataBitsGroup, this);
  dataBits_ = AddChoices(dataBox, kDataBitsChoices);
  QGroupBox* stopBox = Group(text::kStopBitsGroup, this);
  stopBits_ = AddChoices(stopBox, kStopBitsChoices);

  QGroupBox* commandsBox = Group(text::kUserCommandsGroup, this);
  auto* commandsLayout = new QGridLayout(commandsBox);
  for (std::size_t row = 0; row < labels_.size(); ++row) {
    const QString number = QString::number(row + 1);
    auto* labelCaption = new QLabel(FromUtf8(text::kButtonLabel), commandsBox);
    labels_[row] = new QLineEdit(commandsBox);
    labels_[row]->setMaxLength(static_cast<int>(kLabelLimit));
    labels_[row]->setAccessibleName(FromUtf8(text::kButtonLabel) + ' ' + number);
    labelCaption->setBuddy(labels_[row]);
    auto* commandCaption = new QLabel(FromUtf8(text::kCommand), commandsBox);
    commands_[row] = new QLineEdit(commandsBox);
    commands_[row]->setMaxLength(static_cast<int>(kCommandLimit));
    commands_[row]->setAccessibleName(FromUtf8(text::kCommand) + ' ' + number);
    commandCaption->setBuddy(commands_[row]);
    const int r = static_cast<int>(row);
    commandsLayout->addWidget(labelCaption, r, 0);
    commandsLayout->addWidget(labels_[row], r, 1);
    commandsLayout->addWidget(commandCaption, r, 2);
    commandsLayout->addWidget(commands_[row], r, 3);
  }
  commandsLayout->setColumnStretch(1, 1);
  commandsLayout->setColumnStretch(3, 4);

  QGroupBox* fontBox = Group(text::kPrinterFontGroup, this);
  printerFont_ = AddChoices(fontBox, kPrinterFontChoices);

  auto* help = new QPushButton(FromUtf8(text::kHelp), this);
  auto* find = new QPushButton(FromUtf8(text::kFindMx), this);
  auto* ok = new QPushButton(FromUtf8(text::kOk), this);
  auto* cancel = new QPushButton(FromUtf8(text::kCancel), this);
  ok->setDefault(true);
  for (QPushButton* button : {help, find, cancel})
    button->setAutoDefault(false);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addSpacing(12);
  buttons->addWidget(find);
  buttons->addWidget(help);
  buttons->addStretch();

  auto* lineRow = new QHBoxLayout;
  lineRow->addWidget(portBox);
  lineRow->addWidget(baudBox);
  lineRow->addWidget(parityBox);
  auto* smallGroups = new QVBoxLayout;
  smallGroups->addWidget(dataBox);
  smallGroups->addWidget(stopBox);
  lineRow->addLayout(smallGroups);
  lineRow->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lineRow);
  layout->addWidget(commandsBox);
  layout->addWidget(fontBox);

  // Both run the port check, which may move the port choice; the other choices made so far stay.
  connect(enableAll_, &QCheckBox::clicked, this, [this](bool on) {
    TakeChoices();
    model_.SetEnableAll(on);
    ShowModel();
  });
  connect(find, &QPushButton::clicked, this, [this] {
    TakeChoices();
    model_.FindMx();
    ShowModel();
  });
  connect(help, &QPushButton::clicked, this, [this] {
    if (showHelp_)
      showHelp_(kHelpTopic);
  });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, help, &QPushButton::click);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  for (std::size_t row = 0; row < labels_.size(); ++row) {
    labels_[row]->setText(FromUtf8(model_.buttons[row].label));
    commands_[row]->setText(FromUtf8(model_.buttons[row].command));
  }
  Select(printerFont_, kPrinterFontChoices, model_.printerFontSize);
  ShowModel();
  adjustSize();
  desktop::PlaceOnScreen(this);
}

void CommTestSetupDialog::ShowModel() {
  for (int port = kFirstComPort; port <= kLastComPort; ++port)
    ports_[static_cast<std::size_t>(port)]->setEnabled(
        model_.portEnabled[static_cast<std::size_t>(port)]);
  if (QAbstractButton* chosen = portGroup_->button(model_.selected.port))
    chosen->setChecked(true);
  enableAll_->setChecked(model_.enableAll);
  Select(baud_, kBaudChoices, model_.selected.baud);
  Select(parity_, kParityChoices, model_.selected.parity);
  Select(dataBits_, kDataBitsChoices, model_.selected.dataBits);
  Select(stopBits_, kStopBitsChoices, model_.selected.stopBits);
}

void CommTestSetupDialog::TakeChoices() {
  if (portGroup_->checkedId() > 0)
    model_.selected.port = portGroup_->checkedId();
  model_.selected.baud = Chosen(baud_, kBaudChoices, model_.selected.baud);
  model_.selected.parity = Chosen(parity_, kParityChoices, model_.selected.parity);
  model_.selected.dataBits = Chosen(dataBits_, kDataBitsChoices, model_.selected.dataBits);
  model_.selected.stopBits = Chosen(stopBits_, kStopBitsChoices, model_.selected.stopBits);
  model_.printerFontSize = Chosen(printerFont_, kPrinterFontChoices, model_.printerFontSize);
}

void CommTestSetupDialog::accept() {
  TakeChoices();
  for (std::size_t row = 0; row < labels_.size(); ++row) {
    model_.buttons[row].label = labels_[row]->text().toStdString();
    model_.buttons[row].command = commands_[row]->text().toStdString();
  }
  QDialog::accept();
}

}  // namespace mx::terminal
