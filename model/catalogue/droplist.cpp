// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/droplist.h"

namespace qm {

TPlaceholder PlaceholderOf(std::string_view entry) {
  if (entry == "<color>") {
    return TPlaceholder::Color;
  }
  if (entry == "<font>") {
    return TPlaceholder::Font;
  }
  if (entry == "<url>") {
    return TPlaceholder::Url;
  }
  if (entry == "<length>") {
    return TPlaceholder::Length;
  }
  if (entry == "<percentage>") {
    return TPlaceholder::Percentage;
  }
  return TPlaceholder::None;
}

std::string_view PlaceholderCaption(TPlaceholder placeholder) {
  switch (placeholder) {
    case TPlaceholder::Color:
      return "Select Color";
    case TPlaceholder::Font:
      return "Select Font";
    case TPlaceholder::Url:
      return "Select URL";
    case TPlaceholder::Length:
      return "Choose Unit";
    case TPlaceholder::Percentage:
      return "Choose Percent";
    case TPlaceholder::None:
      break;
  }
  return {};
}

std::string_view WidthText(std::string_view entry) {
  switch (PlaceholderOf(entry)) {
    case TPlaceholder::Color:
      return "Select Color..";
    case TPlaceholder::Font:
      return "Select Font..";
    case TPlaceholder::Url:
      return "Select Image..";
    case TPlaceholder::Length:
      return "Choose Unit...";
    case TPlaceholder::Percentage:
      return "Choose Percent..";
    case TPlaceholder::None:
      break;
  }
  return entry;
}

int32_t DropDownRows(int32_t count, int32_t dropDownCount) {
  return count > dropDownCount ? 8 : count;
}

}  // namespace qm
