// SPDX-License-Identifier: GPL-3.0-or-later
// How deep each line of a style sheet lies in its blocks and comments, for folding: taken from
// the block list, so folding and every other reader agree on where a block starts and ends.
#pragma once

#include <cstdint>
#include <vector>

#include "model/sheet/selectorblocks.h"
#include "model/text/document.h"

namespace qm {

struct TFoldLine {
  // How many folds hold the line: a block from the line after its "{" through the line of its
  // "}", a comment from the line after its "/*" through the line of its "*/".
  int32_t Depth = 0;
  // A fold starts after this line: its "{" or "/*" is here and its end on a later line.
  bool Header = false;
  bool operator==(const TFoldLine&) const = default;
};

// One entry per line of the document. A block that is never closed folds to the text's end;
// blocks and comments within one line fold nothing. blocks must describe the document (TError
// otherwise). Linear in the text's size.
std::vector<TFoldLine> FoldLevels(const TDocument& document, const TModList& blocks);

}  // namespace qm
