// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/syntaxstyles.h"

namespace qm {

TSyntaxStyles DefaultSyntaxStyles() {
  TSyntaxStyles styles;
  for (size_t i = 0; i < styles.size(); ++i) {
    styles[i] = {TokenAttributes[i].Foreground, TokenAttributes[i].Background,
                 TokenAttributes[i].Style};
  }
  return styles;
}

int32_t EncodeColor(std::optional<int32_t> color) {
  return color ? (*color & 0x00FFFFFF) : ColorNone;
}

std::optional<int32_t> DecodeColor(int64_t stored) {
  if (stored < 0 || stored > 0x00FFFFFF) {
    return std::nullopt;
  }
  return static_cast<int32_t>(stored);
}

}  // namespace qm
