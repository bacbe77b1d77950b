// SPDX-License-Identifier: GPL-3.0-or-later
// A declaration's value and its priority ("!important") apart: a picker composes the value and
// the priority goes back after it as it was written.
#pragma once

#include <string>
#include <string_view>

namespace qm {

struct TValuePriority {
  std::string_view Value;     // without the blanks around it
  std::string_view Priority;  // "!important" as written ("! IMPORTANT"), empty when none
  bool operator==(const TValuePriority&) const = default;
};

// The value's priority at its end, outside strings and comments, with the blanks in front of it
// left out of both parts.
TValuePriority SplitPriority(std::string_view value);

// value followed by priority, one blank between them; the priority alone is no value, so an
// empty value stays empty.
std::string WithPriority(std::string_view value, std::string_view priority);

}  // namespace qm
