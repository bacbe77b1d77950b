// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/editbatch.h"

#include <algorithm>
#include <stdexcept>

#include "model/text/memorydocument.h"

namespace qm {

void TEditBatch::Add(TTextEdit edit) {
  Edits_.push_back(std::move(edit));
}

std::vector<TTextEdit> TEditBatch::Ordered() const {
  std::vector<TTextEdit> ordered = Edits_;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const TTextEdit& a, const TTextEdit& b) { return a.Start < b.Start; });
  for (size_t i = 0; i < ordered.size(); ++i) {
    if (ordered[i].End < ordered[i].Start ||
        (i + 1 < ordered.size() && ordered[i].End > ordered[i + 1].Start)) {
      throw std::invalid_argument("edits of one batch overlap");
    }
  }
  return ordered;
}

int32_t TEditBatch::Caret() const {
  if (KeptCaret_) {
    const int32_t before = *KeptCaret_;
    int32_t shift = 0;
    for (const TTextEdit& edit : Ordered()) {
      const auto size = static_cast<int32_t>(edit.Text.size());
      if (before >= edit.End) {
        shift += size - (edit.End - edit.Start);
      } else if (before > edit.Start) {
        return edit.Start + shift + std::min(before - edit.Start, size);
      }
    }
    return before + shift;
  }
  if (Edits_.empty()) {
    return 0;
  }
  const TTextEdit& last = Edits_.back();
  int32_t caret = last.Caret;
  // Edits before it in text order: those starting earlier, and those at its place added earlier.
  for (size_t i = 0; i + 1 < Edits_.size(); ++i) {
    const TTextEdit& edit = Edits_[i];
    if (edit.Start <= last.Start) {
      caret += static_cast<int32_t>(edit.Text.size()) - (edit.End - edit.Start);
    }
  }
  return caret;
}

int32_t ApplyBatch(const TEditBatch& batch, TMemoryDocument& document) {
  const std::vector<TTextEdit> ordered = batch.Ordered();
  for (auto edit = ordered.rbegin(); edit != ordered.rend(); ++edit) {
    document.Replace(edit->Start, edit->End - edit->Start, edit->Text);
  }
  return batch.Caret();
}

}  // namespace qm
