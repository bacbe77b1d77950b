// SPDX-License-Identifier: GPL-3.0-or-later
// The text search that every editor shares: Find and Replace look for the find text with
// QScintilla's search, from the caret and without wrapping around, or over the whole text.
#pragma once

#include <QFlags>
#include <QString>
#include <cstdint>

#include "model/text/editbatch.h"

namespace qm {

class TCssEditor;

enum class TFindOption {
  MatchCase = 1,
  WholeWord = 2,  // bounded as the model's own searches bound a word: "-" is part of one
  Backwards = 4,
  EntireScope = 8,  // from the start of the text (the end, backwards) instead of the caret
};
Q_DECLARE_FLAGS(TFindOptions, TFindOption)

struct TReplacements {
  TEditBatch Batch;
  int Count = 0;
};

class TEditorSearch {
 public:
  // Looks for text once and selects the match, scrolled into view, with the caret at its end, or
  // at its start when searching backwards; returns the number of matches found, 0 or 1. An empty
  // text, or one the document's encoding cannot hold, finds nothing.
  int Find(TCssEditor& editor, const QString& text, TFindOptions options) const;
  // Every match of text in the whole text, each to be replaced by replacement; the caret ends
  // after the last. Throws TError when the document's encoding cannot hold the replacement.
  TReplacements PlanReplaceAll(TCssEditor& editor, const QString& text, const QString& replacement,
                               TFindOptions options) const;
  // The selection replaced by replacement, the caret after it; throws as PlanReplaceAll does.
  TEditBatch PlanReplaceSelection(const TCssEditor& editor, const QString& replacement) const;
};

}  // namespace qm

Q_DECLARE_OPERATORS_FOR_FLAGS(qm::TFindOptions)
