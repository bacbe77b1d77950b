// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/values/unitvalue.h"

#include "model/asciicase.h"
#include "model/textbytes.h"

namespace qm {

using textbytes::IsDigit;

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

TUnitSplit SplitUnitValue(std::string_view text, const std::vector<std::string>& units) {
  // The number: an optional sign, digits and a decimal point.
  size_t end = 0;
  while (end < text.size() && text[end] == ' ') {
    ++end;
  }
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
    ++end;
  }
  const size_t digits = end;
  while (end < text.size() && (IsDigit(text[end]) || text[end] == '.')) {
    ++end;
  }
  if (end > digits) {
    std::string unit(text.substr(end));
    while (!unit.empty() && unit.back() == ' ') {
      unit.pop_back();
    }
    for (char& c : unit) {
      c = AsciiLower(c);
    }
    for (size_t i = 0; i < units.size(); ++i) {
      if (!units[i].empty() && units[i] == unit) {
        return {std::string(text.substr(0, end)), static_cast<int32_t>(i)};
      }
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
