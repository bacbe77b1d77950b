// SPDX-License-Identifier: GPL-3.0-or-later
// Edits planned against one version of a text and carried out together as one step: applied
// back to front, so every edit's range still means what it meant when it was planned.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/text/textedit.h"

namespace qm {

class TMemoryDocument;

class TEditBatch {
 public:
  TEditBatch() = default;
  explicit TEditBatch(TTextEdit edit) { Add(std::move(edit)); }

  // Ranges are in the text before the batch. Edits at the same place keep the order they were
  // added in: the one added first ends up in front.
  void Add(TTextEdit edit);
  bool Empty() const { return Edits_.empty(); }

  // The edits in text order; throws std::invalid_argument when two ranges overlap, because no
  // order of applying them could mean what each was planned to mean.
  std::vector<TTextEdit> Ordered() const;
  // Where the caret goes in the text after the batch: the caret of the edit added last, moved by
  // the edits in front of it; or, after KeepCaret, the kept place.
  int32_t Caret() const;
  // The caret stays on the text it is on before the batch: moved by the edits in front of it,
  // and kept within an edit's new text when that edit replaces the text around it.
  void KeepCaret(int32_t caretBefore) { KeptCaret_ = caretBefore; }

 private:
  std::vector<TTextEdit> Edits_;
  std::optional<int32_t> KeptCaret_;
};

// Carries the batch out on an in-memory document; returns the caret it leaves.
int32_t ApplyBatch(const TEditBatch& batch, TMemoryDocument& document);

}  // namespace qm
