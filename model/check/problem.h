// SPDX-License-Identifier: GPL-3.0-or-later
// What the check tells of a sheet: a problem at a line and column, as --check prints it, or at a
// stretch of bytes, as the editor marks it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/text/textedit.h"

namespace qm {

enum class TSeverity : uint8_t { Error, Warning };

struct TProblem {
  int32_t Line = 1;    // 1-based
  int32_t Column = 1;  // 1-based, in bytes
  TSeverity Severity = TSeverity::Error;
  std::string Message;
  bool operator==(const TProblem&) const = default;
};

// A problem at the bytes [Start, End) of the text, where the editor marks it.
struct TProblemSpan {
  int32_t Start = 0;
  int32_t End = 0;
  TSeverity Severity = TSeverity::Error;
  std::string Message;      // one line
  std::string Detail = {};  // more for a tip, such as the whole syntax; may be empty
  std::string Fix = {};     // the text that likely belongs at [Start, End) instead; may be empty
  bool operator==(const TProblemSpan&) const = default;
};

// The edit that puts a problem's suggested text in place of its bytes, the caret after it; none
// for a problem without one.
inline std::optional<TTextEdit> QuickFix(const TProblemSpan& problem) {
  if (problem.Fix.empty()) {
    return std::nullopt;
  }
  return TTextEdit{problem.Start, problem.End, problem.Fix,
                   problem.Start + static_cast<int32_t>(problem.Fix.size())};
}

}  // namespace qm
