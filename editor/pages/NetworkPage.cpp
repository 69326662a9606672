#include "editor/pages/NetworkPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/ModelTable.h"
#include "core/PageStoreRules.h"
#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/AddressEdit.h"
#include "editor/pages/NetworkTexts.h"
#include "editor/pages/PageMetrics.h"
#include "editor/pages/TabVisibility.h"

namespace mx::editor {
namespace {

namespace t = text::network;

constexpr int kRs232Row = 0;
constexpr int kChannels = 5;
// The grid's first channel column; "All" stands left of it.
constexpr int kFirstChannelColumn = 2;

AddressEdit::Octets ReadOctets(const ParameterImage& image, Field<FieldType::U8> field) {
  AddressEdit::Octets octets{};
  for (int i = 0; i < 4; ++i)
    octets[static_cast<std::size_t>(i)] = image.Get(field, i);
  return octets;
}

void WriteOctets(ParameterImage& image, Field<FieldType::U8> field,
                 const AddressEdit::Octets& octets) {
  for (int i = 0; i < 4; ++i)
    image.Set(field, octets[static_cast<std::size_t>(i)], i);
}

QString TargetCaption(int n, int basePort, bool active) {
  return active ? QString::asprintf(t::kTargetWithPort.data(), n, basePort + n - 1)
                : QString::asprintf(t::kTarget.data(), n);
}

}  // namespace

NetworkPage::NetworkPage(CMX3_SetupDoc& document, QWidget* parent)
    : SetupPage(document, help::kNetwork, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSetupGroup());
  layout->addWidget(BuildTargetsGroup());
  layout->addStretch();

  LoadFromImage();
  WhenTabShowsOrHides(
      this, [this] { LoadFromImage(); }, [this] { StoreToImage(); });
}

QWidget* NetworkPage::BuildSetupGroup() {
  QGroupBox* group = MakeGroup(t::kGroupSetup);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(4);

  enable_ = new CheckBinding(Document(), fld::networkEnabled, t::kEnable, this, 0);
  update_ = new QCheckBox(desktop::FromUtf8(t::kUpdate));
  server_ = new ChoiceBinding(Document(), fld::serverMode, this, 0);
  QRadioButton* client = server_->Add(t::kClient);
  QRadioButton* server = server_->Add(t::kServer);
  gatewayEnabled_ = new CheckBinding(Document(), fld::gatewayEnabled, t::kGatewayEnable, this, 0);
  QWidget* left[] = {enable_->Box(), update_, client, server, gatewayEnabled_->Box()};
  for (int row = 0; row < 5; ++row)
    grid->addWidget(left[row], row, 0);
  // The interface can only serve connections: Client stays visible for images that hold it.
  client->setEnabled(false);

  address_ = new AddressEdit;
  mask_ = new AddressEdit;
  basePort_ = new NumberBinding(Document(), fld::basePort, box::kBasePort, this, 0);
  FitToCharacters(basePort_->Box(), 5);
  channelCount_ = new ListBinding(Document(), fld::networkChannelCount, this, 0);
  // Fewer channels untick the targets beyond them for good: only a deliberate choice may do that.
  channelCount_->RefuseWheel();
  for (int n = 1; n <= 6; ++n)
    channelCount_->Add(QString::number(n), n);
  gateway_ = new AddressEdit;
  QWidget* boxes[] = {address_, mask_, basePort_->Box(), channelCount_->List(), gateway_};
  const std::string_view labels[] = {t::kAddress, t::kMask, t::kBasePort, t::kChannelCount,
                                     t::kGateway};
  for (int row = 0; row < 5; ++row) {
    QLabel* label = LabelFor(labels[row], boxes[row]);
    grid->addWidget(label, row, 2);
    grid->addWidget(boxes[row], row, 3, Qt::AlignLeft);
    if (auto* address = qobject_cast<AddressEdit*>(boxes[row]))
      address->SetName(label->text());
    if (boxes[row] != gateway_)
      editable_.Add({label, boxes[row]});
    else
      gatewayLabel_ = label;
  }
  grid->setColumnMinimumWidth(1, 16);
  grid->setColumnStretch(4, 1);
  editable_.Add({server, gatewayEnabled_->Box(), gatewayLabel_});

  connect(enable_, &CheckBinding::Clicked, this, &NetworkPage::OnEnableClicked);
  connect(update_, &QCheckBox::clicked, this, &NetworkPage::OnUpdateClicked);
  connect(channelCount_->List(), &QComboBox::activated, this, [this] {
    channelCount_->Store();
    ApplyCaptionRule();
  });
  connect(basePort_->Box(), &QLineEdit::editingFinished, this, &NetworkPage::OnBasePortLeft);
  connect(gatewayEnabled_, &CheckBinding::Clicked, this, [this](bool ticked) {
    gatewayEnabled_->Store();
    gateway_->setEnabled(ticked);
  });
  return group;
}

QWidget* NetworkPage::BuildTargetsGroup() {
  QGroupBox* group = MakeGroup(t::kGroupTargets);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(2);
  grid->setHorizontalSpacing(10);
  auto* heading = MakeLabel(t::kSourceHeading);
  grid->addWidget(heading, 0, kFirstChannelColumn - 1, 1, kChannels + 1, Qt::AlignCenter);
  grid->addWidget(MakeLabel(t::kAll), 1, kFirstChannelColumn - 1, Qt::AlignCenter);
  for (int c = 0; c < kChannels; ++c) {
    QLabel* letter = new QLabel(QString(QChar('A' + c)));
    grid->addWidget(letter, 1, kFirstChannelColumn + c, Qt::AlignCenter);
    if (c >= 2)
      lastThreeColumns_.push_back(letter);
  }

  for (int row = 0; row < kRows; ++row) {
    GridRow& r = rows_[static_cast<std::size_t>(row)];
    r.target = new QCheckBox(row == kRs232Row ? desktop::FromUtf8(t::kRs232Port)
                                              : TargetCaption(row, 0, false));
    const QString rowName = r.target->text();
    const QString nameFormat = desktop::FromUtf8(t::kGridBoxName);
    grid->addWidget(r.target, row + 2, 0);
    r.all = new QCheckBox;
    NameAfter(r.all, nameFormat.arg(rowName, desktop::FromUtf8(t::kAll)));
    grid->addWidget(r.all, row + 2, kFirstChannelColumn - 1, Qt::AlignCenter);
    connect(r.all, &QCheckBox::clicked, this, [this, row] { OnAllClicked(row); });
    for (int c = 0; c < kChannels; ++c) {
      // A ticked box routes the channel: the byte is 0, so an all-zero image routes everything.
      auto* box = row == kRs232Row ? new CheckBinding(Document(), fld::rs232Source, "", this, c,
                                                      CheckBinding::Ticked::kStoresZero)
                                   : new CheckBinding(Document(), fld::networkSource, "", this,
                                                      kChannels * (row - 1) + c,
                                                      CheckBinding::Ticked::kStoresZero);
      NameAfter(box->Box(), nameFormat.arg(rowName, QChar('A' + c)));
      grid->addWidget(box->Box(), row + 2, kFirstChannelColumn + c, Qt::AlignCenter);
      connect(box, &CheckBinding::Clicked, this, [this, row] { ApplyRowRule(row); });
      r.channels[static_cast<std::size_t>(c)] = box;
      if (c >= 2)
        lastThreeColumns_.push_back(box->Box());
    }
  }
  // The captions grow when the ports are shown; the grid keeps its place.
  const QString widest = TargetCaption(6, 65530, true);
  grid->setColumnMinimumWidth(0, rows_[1].target->fontMetrics().horizontalAdvance(widest) +
                                     IndicatorIndent(rows_[1].target) + 8);
  grid->setColumnStretch(kFirstChannelColumn + kChannels, 1);
  return group;
}

ParameterImage& NetworkPage::Image() {
  return Document().Image();
}

bool NetworkPage::NetworkModel() {
  return IsNetworkModel(Document().CurrentModel());
}

void NetworkPage::ApplyRowRule(int row) {
  GridRow& r = rows_[static_cast<std::size_t>(row)];
  for (CheckBinding* box : r.channels)
    box->Store();
  // "All" means every channel the model has.
  const int count = ChannelCount(Document().CurrentModel());
  bool all = true;
  for (int c = 0; c < count; ++c)
    all = all && r.channels[static_cast<std::size_t>(c)]->IsTicked();
  r.all->setChecked(all);
}

void NetworkPage::ApplyCaptionRule() {
  const ParameterImage& image = Image();
  const ModelIndex model = Document().CurrentModel();
  const bool enabled = image.Get(fld::networkEnabled) != 0;
  const bool active = NetworkModel() && enabled;
  const bool fiveChannels = IsNetworkModel(model) && ChannelCount(model) == 5 && enabled;
  const int count = image.Get(fld::networkChannelCount);
  const int basePort = image.Get(fld::basePort);
  const auto enableRow = [this](int row, bool firstTwo, bool lastThree) {
    GridRow& r = rows_[static_cast<std::size_t>(row)];
    r.all->setEnabled(firstTwo);
    for (int c = 0; c < kChannels; ++c)
      r.channels[static_cast<std::size_t>(c)]->Box()->setEnabled(c < 2 ? firstTwo : lastThree);
  };
  for (int n = 1; n <= 6; ++n) {
    GridRow& r = rows_[static_cast<std::size_t>(n)];
    const bool inUse = n <= count;
    r.target->setText(TargetCaption(n, basePort, inUse));
    if (!inUse) {
      Image().Set(fld::networkOutput, uint8_t{0}, n - 1);
      r.target->setChecked(false);
    }
    const bool usable = inUse && active;
    r.target->setEnabled(usable);
    enableRow(n, usable, usable && fiveChannels);
    if (usable)
      ApplyRowRule(n);
  }
  enableRow(kRs232Row, active, fiveChannels);
}

void NetworkPage::ApplySetupRule(bool on) {
  const bool network = NetworkModel();
  enable_->Box()->setEnabled(network);
  const bool settable = network && on;
  update_->setEnabled(settable);
  rows_[kRs232Row].target->setEnabled(settable);
  const bool edited = Document().Core().NetworkSettingsEdited();
  editable_.SetEnabled(edited);
  gateway_->setEnabled(edited && Image().Get(fld::gatewayEnabled) != 0);
  // Greyed, they still show the file's values, which are not the interface's own.
  const QString why = edited || !settable ? QString() : desktop::FromUtf8(t::kFileSettingsOnly);
  QWidget* const greyed[] = {address_, mask_, basePort_->Box(), channelCount_->List(), gateway_};
  for (QWidget* box : greyed)
    box->setToolTip(why);
  ApplyCaptionRule();
  const bool fiveChannels = ChannelCount(Document().CurrentModel()) == kChannels;
  for (QWidget* widget : lastThreeColumns_)
    widget->setVisible(fiveChannels);
}

void NetworkPage::LoadRow(int row) {
  for (CheckBinding* box : rows_[static_cast<std::size_t>(row)].channels)
    box->Load();
  ApplyRowRule(row);
}

void NetworkPage::LoadFromImage() {
  const ParameterImage& image = Image();
  for (int row = 1; row < kRows; ++row)
    LoadRow(row);
  server_->Load();
  enable_->Load();
  update_->setChecked(Document().Core().NetworkSettingsEdited());
  ApplySetupRule(NetworkModel() && image.Get(fld::networkEnabled) != 0);
  address_->SetAddress(ReadOctets(image, fld::ipAddress));
  mask_->SetAddress(ReadOctets(image, fld::subnetMask));
  basePort_->Load();
  channelCount_->Load();
  rows_[kRs232Row].target->setChecked(image.Get(fld::outputToRs232Port) == 1);
  for (int n = 1; n <= 6; ++n)
    rows_[static_cast<std::size_t>(n)].target->setChecked(image.Get(fld::networkOutput, n - 1) !=
                                                          0);
  gatewayEnabled_->Load();
  gateway_->SetAddress(ReadOctets(image, fld::gatewayAddress));
  LoadRow(kRs232Row);
}

void NetworkPage::StoreToImage() {
  ParameterImage& image = Image();
  server_->Store();
  enable_->Store();
  WriteOctets(image, fld::ipAddress, address_->Address());
  WriteOctets(image, fld::subnetMask, mask_->Address());
  // A port typed but not yet left is what the user sees, so it is what gets saved or sent.
  if (basePort_->Box()->isModified())
    OnBasePortLeft();
  image.Set(fld::outputToRs232Port, static_cast<uint8_t>(rows_[kRs232Row].target->isChecked()));
  for (int n = 1; n <= 6; ++n) {
    const bool ticked = rows_[static_cast<std::size_t>(n)].target->isChecked();
    image.Set(fld::networkOutput, static_cast<uint8_t>(ticked), n - 1);
  }
  gatewayEnabled_->Store();
  WriteOctets(image, fld::gatewayAddress, gateway_->Address());
  // Readings must go somewhere: with no target ticked they go to the RS232 port.
  ApplyNetworkRules(image);
}

void NetworkPage::OnEnableClicked() {
  enable_->Store();
  const bool ticked = enable_->IsTicked();
  if (!ticked) {
    // With the network off, every reading goes to the RS232 port, and the interface's network
    // settings are left alone.
    Document().Core().SetNetworkSettingsEdited(false);
    update_->setChecked(false);
    for (CheckBinding* box : rows_[kRs232Row].channels)
      box->Box()->setChecked(true);
    ApplyRowRule(kRs232Row);
  }
  ApplySetupRule(ticked);
}

void NetworkPage::OnUpdateClicked() {
  Document().Core().SetNetworkSettingsEdited(update_->isChecked());
  ApplySetupRule(true);
}

void NetworkPage::OnBasePortLeft() {
  basePort_->Store();
  ApplyCaptionRule();
}

void NetworkPage::OnAllClicked(int row) {
  GridRow& r = rows_[static_cast<std::size_t>(row)];
  for (CheckBinding* box : r.channels)
    box->Box()->setChecked(r.all->isChecked());
  ApplyRowRule(row);
}

}  // namespace mx::editor
