// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textkind.h"

#include <cstddef>

namespace qm {

namespace {

bool IsBinaryControl(unsigned char c) {
  switch (c) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x1B:
      return false;
    default:
      return c < 0x20 || c == 0x7F;
  }
}

}  // namespace

bool LooksLikeText(std::string_view bytes) {
  size_t controls = 0;
  for (const char c : bytes) {
    if (c == '\0') {
      return false;
    }
    controls += IsBinaryControl(static_cast<unsigned char>(c)) ? 1 : 0;
  }
  return controls * 20 <= bytes.size();
}

}  // namespace qm
