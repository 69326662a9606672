#include "editor/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/EditorTexts.h"

namespace mx::editor {

QString AboutDialog::VersionLine() {
  return desktop::FromUtf8(text::kVersionPrefix) + desktop::FromUtf8(text::kVersionNumber);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(desktop::FromUtf8(text::kAboutTitle));
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel;
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  layout->addWidget(icon);

  auto* texts = new QVBoxLayout;
  auto* product = new QLabel(desktop::FromUtf8(text::kAboutProduct));
  QFont bold = product->font();
  bold.setBold(true);
  product->setFont(bold);
  auto* version = new QLabel(VersionLine());
  version->setObjectName("version");
  auto* date = new QLabel(desktop::FromUtf8(text::kVersionDate));
  date->setObjectName("date");
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addWidget(date);
  texts->addSpacing(8);
  texts->addWidget(new QLabel(desktop::FromUtf8(text::kRightsNotice)));
  layout->addLayout(texts, 1);

  auto* ok = new QPushButton(desktop::FromUtf8(text::kOk));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch();
  layout->addLayout(buttons);
  desktop::PlaceOnScreen(this);
}

}  // namespace mx::editor
