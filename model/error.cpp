// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/error.h"

namespace qm {

std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 64);
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
        next != args.end()) {
      out.append(*next++);
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

}  // namespace qm
