#include "nettest/window/PreferencesDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"

namespace mx::nettest {
namespace {
constexpr const char* kSizeCaptions[PreferencesDialog::kFontSizeCount] = {
    "  8 point", "  9 point", "10 point", "11 point", "12 point"};
}

PreferencesDialog::PreferencesDialog(uint8_t endOfPacket, int fontSize, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Preferences"));
  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;

  auto* eopGroup = new QGroupBox(QStringLiteral("End-of-Packet Character: "), this);
  auto* eopLayout = new QVBoxLayout(eopGroup);
  carriageReturn_ = new QRadioButton(QStringLiteral("Carriage return  (ASCII 13)"), eopGroup);
  lineFeed_ = new QRadioButton(QStringLiteral("Linefeed  (ASCII 10)"), eopGroup);
  eopLayout->addWidget(carriageReturn_);
  eopLayout->addWidget(lineFeed_);
  eopLayout->addStretch();
  (endOfPacket == 10 ? lineFeed_ : carriageReturn_)->setChecked(true);

  auto* sizeGroup = new QGroupBox(QStringLiteral("Font Size: "), this);
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
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
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
