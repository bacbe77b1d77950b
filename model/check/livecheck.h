// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of a document kept up to date as it is edited: after a change only the rules the
// change touched are checked again, and every other problem moves with the text.
#pragma once

#include <cstdint>
#include <vector>

#include "model/check/problem.h"
#include "model/check/textcheck.h"
#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"
#include "model/values/valuechecker.h"

namespace qm {

class TLiveCheck {
 public:
  // Checks the whole document; blocks must describe it (TError otherwise).
  void Full(const TDocument& document, const TModList& blocks, const TValueChecker& checker);
  // Brings the problems up to the document's text as it is now, which blocks must describe:
  // only what changed since the last check is looked at again when the document can tell what
  // that was, the whole document otherwise.
  void Update(const TDocument& document, const TModList& blocks, const TValueChecker& checker);
  // Forgets every problem: the next Update checks the whole document.
  void Clear();

  // Whether the problems describe the document's text as it is now.
  bool Describes(const TDocument& document) const {
    return Checked_ && Version_ == document.TextVersion();
  }
  // Every problem in text order, as CheckSheet tells them.
  const std::vector<TProblemSpan>& Problems() const { return Problems_; }
  // The problem whose bytes hold index (the last one that starts there or before), else null.
  const TProblemSpan* ProblemAt(int32_t index) const;

 private:
  // What a block's declarations were checked with, and what they gave.
  struct TBlockCheck {
    int32_t StartPos = 0;
    int32_t EndPos = -1;
    int32_t From = 0;  // where the text its kind and name come from starts
    bool Deep = false;
    bool Top = false;                   // outside every other block: its prelude is checked too
    std::vector<TProblemSpan> Outside;  // declarations in the prelude, outside every rule
    std::vector<TProblemSpan> Problems;
  };
  void CheckBlocks(const TDocument& document, const TModList& blocks, const TValueChecker& checker,
                   const TTextChange* change);
  void Assemble();

  TTextCheck Text_;
  std::vector<TBlockCheck> Blocks_;
  std::vector<TProblemSpan> TooDeep_;
  std::vector<TProblemSpan> Unclosed_;  // each block left open, in text order
  std::vector<TProblemSpan> Problems_;
  uint64_t Version_ = 0;
  bool Checked_ = false;
};

}  // namespace qm
