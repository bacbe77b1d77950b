// SPDX-License-Identifier: GPL-3.0-or-later
// Where the comment markers "/*" and "*/" begin in one version of a text, so that textscan's
// IsInComment costs two binary searches instead of a scan back over the text. A document keeps
// one for FindOutsideComments, its only reader. Markers count wherever they stand, in strings
// too: this answers textscan's question, not where CSS's comments are (csslexis.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qm {

class TCommentIndex {
 public:
  TCommentIndex() = default;
  explicit TCommentIndex(std::string_view text);

  // The answer IsInComment(text, pos) gives for the text the index was built from.
  bool IsInComment(int32_t pos) const;

 private:
  // Ascending; markers may overlap, as in "/*/", because each is recognised on its own.
  std::vector<int32_t> Opens_;
  std::vector<int32_t> Closes_;
  int32_t TextSize_ = 0;
};

}  // namespace qm
