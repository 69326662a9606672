#include "nettest/AboutDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "nettest/NetTestTexts.h"

namespace mx::nettest {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About LinkTest_Network"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  top->addWidget(icon);
  auto* texts = new QVBoxLayout;
  auto* title = new QLabel(QStringLiteral("Network Communications Test Program"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  texts->addWidget(title);
  texts->addWidget(
      new QLabel(QStringLiteral("Version ") + desktop::FromUtf8(text::kVersion), this));
  texts->addSpacing(8);
  texts->addWidget(new QLabel(
      QStringLiteral("Copyright \u00a9 Brantwick Systems. All rights reserved.\n"
                     "Tests the TCP/IP link of Mesurix Network-model gage interfaces.\n"
                     "For help with Mesurix interfaces, contact Brantwick Systems support."),
      this));
  top->addLayout(texts);
  layout->addLayout(top);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  desktop::PlaceOnScreen(this);
}

}  // namespace mx::nettest
