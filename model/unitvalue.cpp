// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unitvalue.h"

namespace qm {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::vector<std::string> UnitList(bool includePercent) {
  std::vector<std::string> units;
  if (includePercent) {
    units.emplace_back("%");
  }
  for (const char* unit :
       {"cm", "em", "ex", "in", "mm", "pc", "pt", "px", "rem", "vw", "vh", "vmin", "vmax", "ch"}) {
    units.emplace_back(unit);
  }
  return units;
}

std::vector<size_t> UnitSearchOrder(const std::vector<std::string_view>& units) {
  const auto holdsAnother = [&](size_t i) {
    for (size_t j = 0; j < units.size(); ++j) {
      if (j != i && !units[j].empty() && units[j].size() < units[i].size() &&
          units[i].find(units[j]) != std::string_view::npos) {
        return true;
      }
    }
    return false;
  };
  std::vector<size_t> order;
  for (const bool first : {true, false}) {
    for (size_t i = 0; i < units.size(); ++i) {
      if (holdsAnother(i) == first) {
        order.push_back(i);
      }
    }
  }
  return order;
}

TUnitSplit SplitUnitValue(std::string_view text, const std::vector<std::string>& units) {
  for (const size_t i :
       UnitSearchOrder(std::vector<std::string_view>(units.begin(), units.end()))) {
    if (units[i].empty()) {
      continue;
    }
    const size_t at = text.find(units[i]);
    if (at != std::string_view::npos) {
      return {std::string(text.substr(0, at)), static_cast<int32_t>(i)};
    }
  }
  return {std::string(text), -1};
}

bool IsDecimalNumber(std::string_view text) {
  size_t i = 0;
  const size_t size = text.size();
  while (i < size && text[i] == ' ') {
    ++i;
  }
  if (i < size && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  size_t digits = 0;
  while (i < size && IsDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < size && text[i] == '.') {
    ++i;
    while (i < size && IsDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) {
    return false;
  }
  if (i < size && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
      ++i;
    }
    const size_t exponentStart = i;
    while (i < size && IsDigit(text[i])) {
      ++i;
    }
    if (i == exponentStart) {
      return false;
    }
  }
  return i == size;
}

}  // namespace qm
