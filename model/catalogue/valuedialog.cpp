// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/valuedialog.h"

#include "model/asciicase.h"
#include "model/listrule.h"
#include "model/values/unitvalue.h"

namespace qm {

std::optional<TDialogLength> SplitDialogLength(std::string_view value) {
  value = Trimmed(value);
  size_t end = value.size() > 0 && (value[0] == '+' || value[0] == '-') ? 1 : 0;
  const size_t digits = end;
  while (end < value.size() && ((value[end] >= '0' && value[end] <= '9') || value[end] == '.')) {
    ++end;
  }
  if (end == digits) {
    return std::nullopt;
  }
  const std::string_view written = value.substr(end);
  const std::string lower = AsciiLowerCase(written);
  for (const std::string_view unit : DialogLengthUnits) {
    if (lower == unit) {
      return TDialogLength{std::string(value.substr(0, end)), unit, std::string(written)};
    }
  }
  return std::nullopt;
}

std::vector<std::string> FontListEntries(std::string_view value) {
  std::vector<std::string> names;
  std::string name;
  char quote = 0;
  bool quoted = false;
  const auto finish = [&] {
    std::string_view trimmed = quoted ? std::string_view(name) : Trimmed(name);
    if (!trimmed.empty()) {
      names.emplace_back(trimmed);
    }
    name.clear();
    quoted = false;
  };
  for (const char c : value) {
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      } else {
        name.push_back(c);
      }
    } else if (c == '"' || c == '\'') {
      quote = c;
      quoted = true;
      name.clear();
    } else if (c == ',') {
      finish();
    } else if (!quoted) {
      name.push_back(c);
    }
  }
  finish();
  return names;
}

bool IsGenericFamily(std::string_view name) {
  const std::string lower = AsciiLowerCase(name);
  for (const std::string_view generic : GenericFontFamilies) {
    if (lower == generic) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> ComposeFontStack(const std::vector<std::string>& original,
                                          const std::vector<std::string>& chosen) {
  const auto in = [](const std::vector<std::string>& names, const std::string& name) {
    const std::string lower = AsciiLowerCase(name);
    for (const std::string& other : names) {
      if (AsciiLowerCase(other) == lower) {
        return true;
      }
    }
    return false;
  };
  std::vector<std::string> named;
  std::vector<std::string> generic;
  const auto add = [&](const std::string& name) {
    std::vector<std::string>& group = IsGenericFamily(name) ? generic : named;
    if (!in(group, name)) {
      group.push_back(name);
    }
  };
  for (const std::string& name : original) {
    if (in(chosen, name)) {
      add(name);
    }
  }
  for (const std::string& name : chosen) {
    add(name);
  }
  named.insert(named.end(), generic.begin(), generic.end());
  return named;
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
