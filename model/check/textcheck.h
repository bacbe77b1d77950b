// SPDX-License-Identifier: GPL-3.0-or-later
// The problems one pass over a sheet's text finds: at-rules of unknown name, and strings and
// comments left open; after an edit only the stretch around it is scanned again. Blocks left
// open are the block list's to tell.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/check/problem.h"
#include "model/text/changelog.h"
#include "model/values/valuechecker.h"

namespace qm {

// Whether name (without its "@", any letter case, a vendor prefix allowed) is an at-rule that
// current CSS or a browser knows.
bool IsKnownAtRule(std::string_view name);
// Those at-rules' names, lower case and without "@".
std::span<const std::string_view> KnownAtRules();

class TTextCheck {
 public:
  // Scans the whole text. With checker, the preludes of @media, @container, @import and @layer
  // are checked as well.
  void Full(std::string_view text, const TValueChecker* checker = nullptr);
  // The same answers for text, which differs from the text last scanned by change: the scan
  // resumes at the last place before the change where it can, and stops once it is back in step
  // with the last scan after the change.
  void Update(std::string_view text, const TTextChange& change,
              const TValueChecker* checker = nullptr);

  // At-rules of unknown name, faults in at-rule preludes and strings left open, in text order.
  const std::vector<TProblemSpan>& Found() const { return Found_; }
  // The comment left open at the text's end, if one is.
  const std::optional<TProblemSpan>& OpenComment() const { return OpenComment_; }

 private:
  struct TOldScan;
  // Scans text from from, a statement's start. With old, the scan ends where it reaches a point
  // of the old scan (true then).
  bool Scan(std::string_view text, size_t from, TOldScan* old);

  std::vector<TProblemSpan> Found_;
  const TValueChecker* Checker_ = nullptr;  // during a scan
  std::optional<TProblemSpan> OpenComment_;
  // Places right after a "{", "}" or ";" where a scan can resume.
  std::vector<int32_t> Points_;
};

}  // namespace qm
