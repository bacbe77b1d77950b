// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/document.h"

#include <algorithm>

namespace qm {

std::string_view TDocument::LineText(int32_t line) const {
  if (line < 1 || line > LineCount()) {
    return {};
  }
  return Text().substr(LineStart(line), LineLength(line));
}

TLineCol TDocument::IndexToLineCol(int32_t index) const {
  const int32_t count = LineCount();
  // The last line whose start is at or before index; lines before it cover everything earlier.
  int32_t lo = 1;
  int32_t hi = count;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo + 1) / 2;
    if (LineStart(mid) <= index) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  const int32_t start = LineStart(lo);
  if (lo == count && index >= start + LineLength(lo) + 2) {
    return {count + 1, 1};
  }
  return {lo, index - start + 1};
}

int32_t TDocument::LineColToIndex(int32_t line, int32_t col) const {
  line = std::clamp(line, 1, LineCount());
  return LineStart(line) + col - 1;
}

}  // namespace qm
