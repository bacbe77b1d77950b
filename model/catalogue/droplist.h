// SPDX-License-Identifier: GPL-3.0-or-later
// The entries of a value drop-down that open a picker instead of standing for a value, and how
// tall and wide the drop-down opens for its entries.
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

enum class TPlaceholder : uint8_t { None, Color, Font, Url, Length, Percentage };

// Only the exact entries "<color>", "<font>", "<url>", "<length>" and "<percentage>" are
// placeholders; other letter case or surrounding blanks make an ordinary entry.
TPlaceholder PlaceholderOf(std::string_view entry);

// The bold caption a placeholder is drawn with ("Select Color", ...); empty for None.
std::string_view PlaceholderCaption(TPlaceholder placeholder);

// The text whose width the drop-down must fit for an entry: a placeholder's longer label, which
// is never drawn, or the entry itself.
std::string_view WidthText(std::string_view entry);

// Rows the opened list is tall: all of them, or 8 with a scroll bar once there are more than
// dropDownCount.
int32_t DropDownRows(int32_t count, int32_t dropDownCount);

}  // namespace qm
