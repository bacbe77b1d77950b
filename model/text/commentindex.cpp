// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/commentindex.h"

#include <algorithm>

namespace qm {

namespace {

// The greatest marker start at or below limit, or -1.
int32_t LastAtOrBefore(const std::vector<int32_t>& starts, int32_t limit) {
  const auto it = std::upper_bound(starts.begin(), starts.end(), limit);
  return it == starts.begin() ? -1 : *(it - 1);
}

}  // namespace

TCommentIndex::TCommentIndex(std::string_view text) : TextSize_(static_cast<int32_t>(text.size())) {
  // Every marker holds a "*": look only at the stars and their neighbours.
  for (size_t star = text.find('*'); star != std::string_view::npos;
       star = text.find('*', star + 1)) {
    if (star > 0 && text[star - 1] == '/') {
      Opens_.push_back(static_cast<int32_t>(star - 1));
    }
    if (star + 1 < text.size() && text[star + 1] == '/') {
      Closes_.push_back(static_cast<int32_t>(star));
    }
  }
}

bool TCommentIndex::IsInComment(int32_t pos) const {
  if (pos == -1 || pos > TextSize_) {
    pos = TextSize_;
  }
  if (pos <= 0) {
    return false;
  }
  // Only markers that begin strictly before pos count.
  const int32_t open = LastAtOrBefore(Opens_, pos - 1);
  const int32_t close = LastAtOrBefore(Closes_, pos - 1);
  return open != -1 && close < open;
}

}  // namespace qm
