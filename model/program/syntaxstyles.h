// SPDX-License-Identifier: GPL-3.0-or-later
// The colours and font styles of the token classes, as the Options dialog edits them and the
// settings store keeps them: colours as 0x00BBGGRR, "no colour" as its own reserved code.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/text/cssscanner.h"

namespace qm {

// The stored code of "no colour": the editor's own text or background colour shows.
inline constexpr int32_t ColorNone = 0x1FFFFFFF;

struct TSyntaxStyle {
  std::optional<int32_t> Foreground;  // red in the low byte
  std::optional<int32_t> Background;
  int32_t Style = 0;  // StyleBold | StyleItalic | StyleUnderline, 8 strike-out
  bool operator==(const TSyntaxStyle&) const = default;
};

// Indexed by TTokenKind, in the order of TokenAttributes.
using TSyntaxStyles = std::array<TSyntaxStyle, 11>;

TSyntaxStyles DefaultSyntaxStyles();

// A colour as stored; none is ColorNone.
int32_t EncodeColor(std::optional<int32_t> color);
// A stored colour: an RGB value (0x00BBGGRR), or none for ColorNone and for the codes of system
// colours (high byte set), which have no fixed value.
std::optional<int32_t> DecodeColor(int64_t stored);

}  // namespace qm
