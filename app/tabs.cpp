// SPDX-License-Identifier: GPL-3.0-or-later
// The document tabs: captions with the mark of unsaved changes, moving between tabs, and the
// question before a file that is no text becomes a document.
#include <QTabBar>
#include <QTabWidget>

#include "app/cssmain.h"
#include "app/opendocument.h"
#include "model/text/textkind.h"
#include "platform/prompts.h"

namespace qm {

QString TFrmMain::Caption(int index) const {
  return pgmain->tabBar()->tabData(index).toString();
}

void TFrmMain::SetCaption(int index, const QString& caption) {
  pgmain->tabBar()->setTabData(index, caption);
  ShowModifiedMark(index);
}

void TFrmMain::ShowModifiedMark(int index) {
  const TOpenDocument* document = Document(index);
  if (document == nullptr) {
    return;
  }
  const QString text =
      (document->Editor()->Modified() ? QStringLiteral("*") : QString()) + Caption(index);
  if (pgmain->tabText(index) != text) {
    pgmain->setTabText(index, text);
  }
  if (index == pgmain->currentIndex()) {
    ShowTitle();
  }
}

void TFrmMain::mNextTabClick() {
  if (pgmain->count() > 1) {
    pgmain->setCurrentIndex((pgmain->currentIndex() + 1) % pgmain->count());
  }
}

void TFrmMain::mPreviousTabClick() {
  if (pgmain->count() > 1) {
    pgmain->setCurrentIndex((pgmain->currentIndex() + pgmain->count() - 1) % pgmain->count());
  }
}

bool TFrmMain::ConfirmOpenAsText(const QByteArray& bytes) {
  return LooksLikeText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) ||
         Platform.Prompts->Message(
             TMessageKind::Confirmation,
             QStringLiteral("This file does not look like a style sheet. Open it anyway?"),
             {TButton::Yes, TButton::No}) == TButton::Yes;
}

}  // namespace qm
