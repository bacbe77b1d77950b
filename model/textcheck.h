// SPDX-License-Identifier: GPL-3.0-or-later
// The problems one pass over a sheet's text finds: at-rules of unknown name, and blocks, strings
// and comments left open; after an edit only the stretch around it is scanned again.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/changelog.h"
#include "model/sheetcheck.h"

namespace qm {

// Whether name (without its "@", any letter case, a vendor prefix allowed) is an at-rule that
// current CSS or a browser knows.
bool IsKnownAtRule(std::string_view name);
// Those at-rules' names, lower case and without "@".
std::span<const std::string_view> KnownAtRules();

class TTextCheck {
 public:
  // Scans the whole text.
  void Full(std::string_view text);
  // The same answers for text, which differs from the text last scanned by change: the scan
  // resumes at the last place before the change where it can, and stops once it is back in step
  // with the last scan after the change.
  void Update(std::string_view text, const TTextChange& change);

  // At-rules of unknown name and strings left open, in text order.
  const std::vector<TProblemSpan>& Found() const { return Found_; }
  // What only the text's end tells: a comment left open, then each block left open, outermost
  // first.
  const std::vector<TProblemSpan>& AtEnd() const { return AtEnd_; }

 private:
  // A place right after a "{", "}" or ";" where a scan can resume: the braces still open there.
  struct TPoint {
    int32_t Index = 0;
    std::vector<int32_t> Open;
  };
  struct TOldScan;
  // Scans text from from with open's braces open. With old, the scan ends where it reaches a
  // point of the old scan in the same state (true then).
  bool Scan(std::string_view text, size_t from, std::vector<int32_t> open, TOldScan* old);

  std::vector<TProblemSpan> Found_;
  std::vector<TProblemSpan> AtEnd_;
  std::vector<TPoint> Points_;
  std::vector<int32_t> Strays_;  // each "}" met with no block open
  bool EndsInComment_ = false;   // AtEnd_ starts with a comment left open
};

}  // namespace qm
