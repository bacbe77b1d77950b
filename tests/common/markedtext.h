// SPDX-License-Identifier: GPL-3.0-or-later
// Texts with the selection drawn in, for tests of commands that change text and selection:
// "[" where the selection starts and "]" where it ends, or "|" for the caret alone.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

struct TMarkedText {
  std::string Text;
  int32_t Start = 0;
  int32_t End = 0;
};

inline TMarkedText ParseMarked(std::string marked) {
  TMarkedText result;
  if (const size_t caret = marked.find('|'); caret != std::string::npos) {
    marked.erase(caret, 1);
    result.Start = result.End = static_cast<int32_t>(caret);
  } else {
    const size_t start = marked.find('[');
    marked.erase(start, 1);
    const size_t end = marked.find(']');
    marked.erase(end, 1);
    result.Start = static_cast<int32_t>(start);
    result.End = static_cast<int32_t>(end);
  }
  result.Text = std::move(marked);
  return result;
}

// The selection from start to end drawn into text (start <= end).
inline std::string DrawMarked(std::string text, int32_t start, int32_t end) {
  if (start == end) {
    return text.insert(static_cast<size_t>(start), "|");
  }
  return text.insert(static_cast<size_t>(end), "]").insert(static_cast<size_t>(start), "[");
}

}  // namespace qm
