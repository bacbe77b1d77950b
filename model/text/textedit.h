// SPDX-License-Identifier: GPL-3.0-or-later
// A change the model plans and the editor carries out as one undoable step.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// Replace [Start, End) by Text, then put the caret, without a selection, at Caret.
struct TTextEdit {
  int32_t Start = 0;
  int32_t End = 0;
  std::string Text;
  int32_t Caret = 0;
  bool operator==(const TTextEdit&) const = default;
};

}  // namespace qm
