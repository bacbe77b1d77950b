// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/gridrows.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/asciicase.h"
#include "model/catalogue/shorthandparts.h"
#include "model/listrule.h"
#include "model/text/textscan.h"
#include "model/textbytes.h"

namespace qm {

namespace {

bool AncestorsExpanded(const TInspectorItem& item) {
  for (const TInspectorItem* p = item.Parent; p != nullptr; p = p->Parent) {
    if (!p->Expanded) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsItemVisible(const TInspectorItem& item, bool showCategories) {
  switch (item.ChildLevel) {
    case 0:
      return showCategories && AncestorsExpanded(item);
    case 1:
      return item.Pinned || !showCategories || AncestorsExpanded(item);
    default:
      // Following the shorthand row rather than the category keeps the parts of a pinned
      // shorthand in a collapsed category on screen with it, so the pinned group has no gaps.
      if (item.Parent == nullptr) {
        return AncestorsExpanded(item);
      }
      return item.Parent->Expanded && IsItemVisible(*item.Parent, showCategories);
  }
}

int32_t VisibleCount(const TInspectorCollection& items, bool showCategories) {
  int32_t count = 0;
  for (int32_t i = 0; i < items.Count(); ++i) {
    count += IsItemVisible(items.Items(i), showCategories) ? 1 : 0;
  }
  return count;
}

void MarkValues(TInspectorCollection& items) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    items.Items(i).Pinned = false;
  }
  for (int32_t i = 0; i < items.Count(); ++i) {
    TInspectorItem& item = items.Items(i);
    // Category rows hold no value of a selector; pinning one would leave a hidden row counted
    // in the top group of the alphabetical view.
    if (item.ChildLevel != 1 || item.Value().empty()) {
      continue;
    }
    item.Pinned = true;
    const int32_t parts = items.ChildCount(item);
    for (int32_t k = 1; k <= parts; ++k) {
      items.Items(i + k).Pinned = true;
    }
  }
}

int32_t PinnedCount(const TInspectorCollection& items, bool showCategories) {
  int32_t count = 0;
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TInspectorItem& item = items.Items(i);
    count += (item.Pinned && IsItemVisible(item, showCategories)) ? 1 : 0;
  }
  return count;
}

void LayOutRows(TInspectorCollection& items, int32_t scrollPos, bool showCategories) {
  const int32_t pinnedCount = PinnedCount(items, showCategories);
  int32_t pinned = 0;
  int32_t others = 0;
  for (int32_t i = 0; i < items.Count(); ++i) {
    TInspectorItem& item = items.Items(i);
    if (!IsItemVisible(item, showCategories)) {
      item.DisplayID = -1;
    } else if (item.Pinned) {
      item.DisplayID = pinned++ - scrollPos;
    } else {
      item.DisplayID = pinnedCount + others++ - scrollPos;
    }
  }
}

int32_t IndexAtRow(const TInspectorCollection& items, int32_t row) {
  if (row < 0) {
    return -1;
  }
  for (int32_t i = 0; i < items.Count(); ++i) {
    if (items.Items(i).DisplayID == row) {
      return i;
    }
  }
  return -1;
}

int32_t NeighbourRow(const TInspectorCollection& items, int32_t index, int32_t step,
                     bool showCategories) {
  std::vector<int32_t> pinned;
  std::vector<int32_t> order;
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TInspectorItem& item = items.Items(i);
    if (IsItemVisible(item, showCategories)) {
      (item.Pinned ? pinned : order).push_back(i);
    }
  }
  order.insert(order.begin(), pinned.begin(), pinned.end());
  if (order.empty()) {
    return -1;
  }
  const auto at = std::find(order.begin(), order.end(), index);
  if (at == order.end()) {
    return order.front();
  }
  const auto position = (at - order.begin()) + step;
  if (position < 0 || position >= static_cast<int64_t>(order.size())) {
    return -1;
  }
  return order[static_cast<size_t>(position)];
}

int32_t RowStartingWith(const TInspectorCollection& items, std::string_view prefix, int32_t index) {
  const int32_t count = items.Count();
  if (prefix.empty() || count == 0) {
    return -1;
  }
  const int32_t first = index >= 0 && index < count ? index : 0;
  for (int32_t k = 0; k < count; ++k) {
    const TInspectorItem& item = items.Items((first + k) % count);
    if (item.ChildLevel == 1 && item.Caption.size() >= prefix.size() &&
        EqualIgnoringAsciiCase(std::string_view(item.Caption).substr(0, prefix.size()), prefix)) {
      return item.Index();
    }
  }
  return -1;
}

void SetCategoriesExpanded(TInspectorCollection& items, bool expanded) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    TInspectorItem& item = items.Items(i);
    if (item.Parent == nullptr) {
      item.Expanded = expanded;
    }
  }
}

std::optional<int32_t> SwatchColor(std::string_view value) {
  if (value.empty() || value.front() != '#') {
    return std::nullopt;
  }
  size_t digits = 1;
  while (digits < value.size() && textbytes::IsHexDigit(value[digits])) {
    ++digits;
  }
  --digits;
  if (digits >= 6) {
    return HexToColor(value);
  }
  // "#abcd" or "#abcx" is no short form: the three digits must end the word.
  if (digits == 3 && (value.size() == 4 || static_cast<unsigned char>(value[4]) <= ' ')) {
    const std::string doubled{'#', value[1], value[1], value[2], value[2], value[3], value[3]};
    return HexToColor(doubled);
  }
  return std::nullopt;
}

namespace {

// The part rows of a shorthand row, and the components of its value that belong to them.
std::vector<std::string> SpreadOverParts(const TInspectorCollection& items,
                                         const TInspectorItem& shorthand) {
  return SpreadShorthand(shorthand.Value(), ShorthandPartsOf(items, shorthand));
}

}  // namespace

void CommitValue(TInspectorCollection& items, TInspectorItem& item, std::string_view text) {
  item.SetValue(text);
  if (item.ChildLevel != 1) {
    return;
  }
  const std::vector<std::string> spread = SpreadOverParts(items, item);
  for (size_t k = 0; k < spread.size(); ++k) {
    items.Items(item.Index() + static_cast<int32_t>(k) + 1).SetValue(spread[k]);
  }
}

void ShowRuleValues(TInspectorCollection& items,
                    const std::function<std::string(const std::string& name)>& valueOf,
                    const std::function<int32_t(const std::string& name)>& placeOf) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    if (TInspectorItem& item = items.Items(i); item.ChildLevel == 1) {
      item.SetValue(valueOf(item.CssTag));
    }
  }
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TInspectorItem& shorthand = items.Items(i);
    if (shorthand.ChildLevel != 1 || items.ChildCount(shorthand) == 0) {
      continue;
    }
    const std::vector<std::string> spread = SpreadOverParts(items, shorthand);
    const int32_t shorthandPlace = shorthand.Value().empty() ? -1 : placeOf(shorthand.CssTag);
    for (size_t k = 0; k < spread.size(); ++k) {
      TInspectorItem& part = items.Items(i + static_cast<int32_t>(k) + 1);
      const std::string own = valueOf(part.Caption);
      // Of the part's own declaration and the shorthand's, the later one applies.
      const bool ownApplies = !own.empty() && placeOf(part.Caption) > shorthandPlace;
      part.SetValue(ownApplies || shorthandPlace < 0 ? own : spread[k]);
    }
  }
}

std::vector<std::string> ShorthandsOf(const TInspectorCollection& items, std::string_view name) {
  std::vector<std::string> shorthands;
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TInspectorItem& part = items.Items(i);
    if (part.ChildLevel == 2 && part.Caption == name && part.Parent != nullptr &&
        std::find(shorthands.begin(), shorthands.end(), part.Parent->CssTag) == shorthands.end()) {
      shorthands.push_back(part.Parent->CssTag);
    }
  }
  return shorthands;
}

}  // namespace qm
