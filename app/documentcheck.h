// SPDX-License-Identifier: GPL-3.0-or-later
// The check as you type of one open document: once typing pauses (at once after the program's own
// change) the document is checked again near what changed and its problems are marked.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "controls/problemmarks.h"
#include "model/check/livecheck.h"

namespace qm {

class TOpenDocument;

class TDocumentCheck : public QObject {
  Q_OBJECT

 public:
  // How long typing pauses before the check runs.
  static constexpr int PauseMs = 300;

  explicit TDocumentCheck(TOpenDocument& document);

  // Where the value syntaxes come from, asked for at the first check.
  void SetChecker(std::function<const TValueChecker&()> source) { Source = std::move(source); }
  // Off: no check runs and no problem is shown.
  void SetEnabled(bool enabled);
  bool Enabled() const { return Enabled_; }
  // Only the document in front is checked; one that comes to the front is checked at once when
  // its text changed meanwhile.
  void SetInFront(bool inFront);

  // The check after the program's own change, or a load: soon, without waiting for a pause.
  void CheckSoon();
  // Checks now, when on and the problems are not those of the text as it is.
  void CheckNow();
  // Forgets the problems found and checks the whole text again soon: the checker changed.
  void Restart();

  // The problems of the last check, in text order. Their places are those of the text then.
  const std::vector<TProblemSpan>& Problems() const { return Live.Problems(); }
  // The line and column of each problem, as the text was then.
  const std::vector<TLineCol>& Places() const { return Places_; }
  // The squiggles in the editor.
  const TProblemMarks& Marks() const { return Marks_; }
  // Whether the problems are those of the text as it is now.
  bool Current() const;
  // The problem marked at a place of the current text, else null (also while the text has
  // changed since the last check).
  const TProblemSpan* ProblemAt(int32_t position) const;

 signals:
  // A check has run or the problems were cleared.
  void ProblemsChanged();

 private:
  TOpenDocument& Document;
  TProblemMarks Marks_;
  TLiveCheck Live;
  std::vector<TLineCol> Places_;
  QTimer Pause;
  std::function<const TValueChecker&()> Source;
  bool Enabled_ = true;
  bool InFront = false;
};

}  // namespace qm
