#include "editor/frame/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "editor/frame/CommandIds.h"
#include "editor/frame/FrameTexts.h"

namespace mx::editor {
namespace {

QString TopicPath(int context) {
  return QStringLiteral(":/help/%1.html").arg(context);
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(desktop::FromUtf8(text::kHelpTitle));
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* contents = new QPushButton(desktop::FromUtf8(text::kHelpContents));
  // The button shows only its arrow; screen readers and the tooltip still name it.
  auto* back = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QString());
  back->setAccessibleName(desktop::FromUtf8(text::kHelpBack));
  back->setToolTip(desktop::FromUtf8(text::kHelpBack));
  bar->addWidget(back);
  bar->addWidget(contents);
  bar->addStretch();
  layout->addLayout(bar);
  browser_ = new QTextBrowser;
  browser_->setAccessibleName(windowTitle());
  browser_->setSearchPaths({QStringLiteral(":/help")});
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_);
  connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(help::kContents); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  back->setEnabled(false);
  resize(520, 560);
}

bool HelpWindow::HasTopic(int context) {
  return QFile::exists(TopicPath(context));
}

void HelpWindow::ShowTopic(int context) {
  if (context == 0)
    context = help::kContents;
  topic_ = context;
  if (HasTopic(context))
    browser_->setSource(QUrl(QStringLiteral("qrc") + TopicPath(context)));
  else
    browser_->setPlainText(desktop::FromUtf8(text::kHelpMissing));
  show();
  raise();
  activateWindow();
}

QString HelpWindow::TopicText() const {
  return browser_->toPlainText();
}

}  // namespace mx::editor
