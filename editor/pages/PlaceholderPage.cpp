#include "editor/pages/PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "editor/pages/PageTexts.h"

namespace mx::editor {

PlaceholderPage::PlaceholderPage(CMX3_SetupDoc& document, int helpTopic, QWidget* parent)
    : SetupPage(document, helpTopic, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(desktop::FromUtf8(text::kPageNotYet), this);
  note->setAlignment(Qt::AlignCenter);
  note->setWordWrap(true);
  layout->addWidget(note);
}

}  // namespace mx::editor
