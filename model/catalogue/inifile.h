// SPDX-License-Identifier: GPL-3.0-or-later
// Read-only INI text (section headers and key=value lines) with the platform's profile-string
// rules, as the property catalogues beside the executable are written for.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace qm {

class TIniFile {
 public:
  // The longest value a read gives back; longer values are cut to this many bytes.
  static constexpr size_t MaxValueLength = 2047;

  TIniFile() = default;
  static TIniFile FromText(std::string_view text);
  // A file that is missing or cannot be read gives an empty INI: every read returns its default.
  static TIniFile FromFile(const std::filesystem::path& fileName);

  // Section and key names match without regard to ASCII letter case. A value loses its
  // surrounding blanks and then one pair of enclosing quotes (double or single).
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal, or hexadecimal after "$" or "0x", with an optional sign; an absent key and a value
  // that is not such a number in the 32-bit range both read as defaultValue.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

 private:
  // Lower-cased names; the first section and the first key of a name are the ones read.
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

}  // namespace qm
