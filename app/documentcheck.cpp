// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/documentcheck.h"

#include <exception>

#include "app/opendocument.h"

namespace qm {

TDocumentCheck::TDocumentCheck(TOpenDocument& document)
    : QObject(&document), Document(document), Marks_(document.Editor()) {
  Pause.setSingleShot(true);
  connect(&Pause, &QTimer::timeout, this, &TDocumentCheck::CheckNow);
  // The program's own changes are checked when their edit scope ends, the user's after a pause.
  connect(&Document, &TOpenDocument::TextChanged, this, [this](TChangeOrigin origin) {
    if (Enabled_ && InFront && origin != TChangeOrigin::Program) {
      Pause.start(PauseMs);
    }
  });
  connect(&Document, &TOpenDocument::Edited, this, &TDocumentCheck::CheckSoon);
}

void TDocumentCheck::SetEnabled(bool enabled) {
  if (enabled == Enabled_) {
    return;
  }
  Enabled_ = enabled;
  if (!enabled) {
    Pause.stop();
    Live.Clear();
    Places_.clear();
    Marks_.Clear();
    emit ProblemsChanged();
    return;
  }
  CheckSoon();
}

void TDocumentCheck::SetInFront(bool inFront) {
  InFront = inFront;
  if (!inFront) {
    Pause.stop();
  } else if (!Current()) {
    CheckSoon();
  }
}

void TDocumentCheck::CheckSoon() {
  if (Enabled_ && InFront) {
    Pause.start(0);
  }
}

void TDocumentCheck::CheckNow() {
  Pause.stop();
  if (!Enabled_ || !Source || Current()) {
    return;
  }
  TCssEditor* editor = Document.Editor();
  try {
    Live.Update(*editor, Document.Blocks(), Source());
  } catch (const std::exception&) {
    // A check is never the user's command: nothing to report, the next one starts afresh.
    Live.Clear();
  }
  Places_.clear();
  Places_.reserve(Live.Problems().size());
  for (const TProblemSpan& problem : Live.Problems()) {
    Places_.push_back(CharacterLineCol(*editor, problem.Start, editor->Encoding()));
  }
  Marks_.Show(Live.Problems());
  emit ProblemsChanged();
}

void TDocumentCheck::Restart() {
  Live.Clear();
  CheckSoon();
}

bool TDocumentCheck::Current() const {
  return Live.Describes(*Document.Editor());
}

const TProblemSpan* TDocumentCheck::ProblemAt(int32_t position) const {
  return Enabled_ && Current() ? Live.ProblemAt(position) : nullptr;
}

}  // namespace qm
