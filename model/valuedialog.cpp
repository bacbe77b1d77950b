// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/valuedialog.h"

#include "model/asciicase.h"
#include "model/listrule.h"
#include "model/unitvalue.h"

namespace qm {

std::optional<TDialogLength> SplitDialogLength(std::string_view value) {
  const std::string lower = AsciiLowerCase(value);
  for (const size_t i : UnitSearchOrder({DialogLengthUnits.begin(), DialogLengthUnits.end()})) {
    const std::string_view unit = DialogLengthUnits[i];
    if (lower.find(unit) == std::string::npos) {
      continue;
    }
    std::string number(value);
    if (const size_t at = number.find(unit); at != std::string::npos) {
      number.erase(at, unit.size());
    }
    return TDialogLength{std::move(number), unit};
  }
  return std::nullopt;
}

std::vector<std::string> FontListEntries(std::string_view value) {
  return SplitList(Trimmed(value), ',');
}

std::string ComposeFontList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) {
    if (!list.empty()) {
      list += ", ";
    }
    list += name.find(' ') == std::string::npos ? name : '"' + name + '"';
  }
  return list;
}

bool IsGenericFamilyText(std::string_view name) {
  constexpr std::string_view generic = "serif,sans-serif,cursive,fantasy,monospace";
  return generic.find(name) != std::string_view::npos;
}

}  // namespace qm
