#include "desktop/widgets/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"

namespace mx::desktop {
namespace {

constexpr std::string_view kVersionPrefix = "Version ";
constexpr std::string_view kOk = "OK";

}  // namespace

AboutDialog::AboutDialog(const AboutTexts& texts, QWidget* parent) : QDialog(parent) {
  setWindowTitle(texts.title);
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel;
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  layout->addWidget(icon);

  auto* lines = new QVBoxLayout;
  auto* product = new QLabel(texts.product);
  QFont bold = product->font();
  bold.setBold(true);
  product->setFont(bold);
  lines->addWidget(product);
  auto* version = new QLabel(FromUtf8(kVersionPrefix) + texts.version);
  version->setObjectName("version");
  lines->addWidget(version);
  if (!texts.date.isEmpty()) {
    auto* date = new QLabel(texts.date);
    date->setObjectName("date");
    lines->addWidget(date);
  }
  lines->addSpacing(8);
  lines->addWidget(new QLabel(texts.notice));
  layout->addLayout(lines, 1);

  auto* ok = new QPushButton(FromUtf8(kOk));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // nothing in it would use more room
  PlaceOnScreen(this);
}

}  // namespace mx::desktop
