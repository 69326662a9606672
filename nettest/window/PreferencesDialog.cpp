#include "nettest/window/PreferencesDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "nettest/NetTestTexts.h"

namespace mx::nettest {
namespace {
constexpr const char* kSizeCaptions[PreferencesDialog::kFontSizeCount] = {
    "  8 point", "  9 point", "10 point", "11 point", "12 point"};
}

PreferencesDialog::PreferencesDialog(uint8_t endOfPacket, int fontSize, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(desktop::FromUtf8(text::kPreferencesTitle));
  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;

  auto* eopGroup = new QGroupBox(desktop::FromUtf8(text::kGroupEndOfPacket), this);
  auto* eopLayout = new QVBoxLayout(eopGroup);
  carriageReturn_ = new QRadioButton(desktop::FromUtf8(text::kCarriageReturn), eopGroup);
  lineFeed_ = new QRadioButton(desktop::FromUtf8(text::kLineFeed), eopGroup);
  eopLayout->addWidget(carriageReturn_);
  eopLayout->addWidget(lineFeed_);
  eopLayout->addStretch();
  (endOfPacket == 10 ? lineFeed_ : carriageReturn_)->setChecked(true);

  auto* sizeGroup = new QGroupBox(desktop::FromUtf8(text::kGroupFontSize), this);
  auto* sizeLayout = new QVBoxLayout(sizeGroup);
  for (int i = 0; i < kFontSizeCount; ++i) {
    auto* button = new QRadioButton(desktop::FromUtf8(kSizeCaptions[i]), sizeGroup);
    sizes_[static_cast<std::size_t>(i)] = button;
    sizeLayout->addWidget(button);
    button->setChecked(kSmallestFont + i == fontSize);
  }

  groups->addWidget(eopGroup);
  groups->addWidget(sizeGroup);
  layout->addLayout(groups);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(desktop::FromUtf8(text::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(desktop::FromUtf8(text::kCancel), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  desktop::PlaceOnScreen(this);
}

uint8_t PreferencesDialog::EndOfPacket() const {
  return lineFeed_->isChecked() ? 10 : 13;
}

int PreferencesDialog::FontSize() const {
  for (int i = 0; i < kFontSizeCount; ++i) {
    if (sizes_[static_cast<std::size_t>(i)]->isChecked())
      return kSmallestFont + i;
  }
  return 0;  // none chosen (the document held a size outside 8..12): leave it as it is
}

}  // namespace mx::nettest
