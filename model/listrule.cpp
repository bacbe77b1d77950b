// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/listrule.h"

#include "model/asciicase.h"

namespace qm {

std::vector<std::string> SplitList(std::string_view text, char delimiter) {
  std::vector<std::string> items;
  const size_t size = text.size();
  size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < size && IsBlankOrControl(text[i])) {
      ++i;
    }
  };
  skipBlanks();
  while (i < size) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < size) {
        if (text[i] == '"') {
          if (i + 1 < size && text[i + 1] == '"') {
            item.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item.push_back(text[i++]);
      }
    } else {
      const size_t start = i;
      while (i < size && !IsBlankOrControl(text[i]) && text[i] != delimiter) {
        ++i;
      }
      item.assign(text.substr(start, i - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (i < size && text[i] == delimiter) {
      ++i;
      skipBlanks();
      // Blanks after a final delimiter do not swallow the empty item it announces.
      if (i == size) {
        items.emplace_back();
      }
    }
  }
  return items;
}

std::string FieldAt(std::string_view text, char separator, int32_t n) {
  if (n < 0) {
    return {};
  }
  size_t start = 0;
  for (int32_t field = 0; field < n; ++field) {
    const size_t next = text.find(separator, start);
    if (next == std::string_view::npos) {
      return {};
    }
    start = next + 1;
  }
  const size_t end = text.find(separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace qm
