// SPDX-License-Identifier: GPL-3.0-or-later
// The Quick Info text of a catalogue entry that lists facts (syntax, initial value, support by
// named browsers) instead of a written description, composed from those facts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TIniFile;

// The browsers a catalogue's "supported" fields stand for, from its [catalogue] section;
// empty for a catalogue of the first two levels, whose three flags have fixed browsers.
std::vector<std::string> CatalogueBrowsers(const TIniFile& catalogue);

// One line per fact the section lists ("Syntax: ...", "Initial value: ...", ...), then its status
// where it is not standard, then its support by each of browsers; empty when it lists no facts.
std::string DescribeFacts(const TIniFile& catalogue, std::string_view section,
                          const std::vector<std::string>& browsers);

// "Chrome 57, Edge 16, Firefox 52, Safari 10.1 (partial)" for the fields 57|16|52|10.1+partial:
// each field is the first version, "no" or "?", marked "+partial", "+prefix" or "+flag".
std::string DescribeSupport(const std::vector<std::string>& browsers, std::string_view fields);

}  // namespace qm
