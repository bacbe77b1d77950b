// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/inifile.h"
#include "model/asciicase.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <set>

namespace qm {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Only quotes that enclose the whole value are dropped. The platform also strips a value such
// as "Arial"|"Courier New", which turns a list whose first and last entries are quoted into
// garbage; a quote of the same kind inside the value therefore keeps both.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front() &&
      value.substr(1, value.size() - 2).find(value.front()) == std::string_view::npos) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t magnitude = 0;
  for (const char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > limit) {
      return std::nullopt;
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

TIniFile TIniFile::FromText(std::string_view text) {
  TIniFile ini;
  // A file saved with a UTF-8 signature would otherwise hide its first section header.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    text.remove_prefix(3);
  }
  std::set<std::string, std::less<>> seen;
  std::map<std::string, std::string, std::less<>>* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);

    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (line.front() == '[') {
      const size_t close = line.find(']');
      std::string name = AsciiLowerCase(TrimBlanks(
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      // A repeated section is not read: lookups stop at the first section of a name.
      current = seen.insert(name).second ? &ini.sections_[std::move(name)] : nullptr;
      continue;
    }
    const size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) {
      continue;
    }
    std::string_view value = Unquote(TrimBlanks(line.substr(equals + 1)));
    current->emplace(AsciiLowerCase(key), value.substr(0, MaxValueLength));
  }
  return ini;
}

TIniFile TIniFile::FromFile(const std::filesystem::path& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    return {};
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return FromText(bytes);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const auto s = sections_.find(AsciiLowerCase(section));
  if (s == sections_.end()) {
    return std::string(defaultValue);
  }
  const auto k = s->second.find(AsciiLowerCase(key));
  return k == s->second.end() ? std::string(defaultValue) : k->second;
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                              int32_t defaultValue) const {
  const std::string text = ReadString(section, key, "");
  return ParseInteger(text).value_or(defaultValue);
}

}  // namespace qm
