// SPDX-License-Identifier: GPL-3.0-or-later
// The generated catalogue of current CSS that ships with the program: its support fields, its
// value lists against the value syntaxes, its descriptors, and how much of real sheets it knows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "model/asciicase.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/inifile.h"
#include "model/listrule.h"
#include "realsheets.h"

namespace qm {
namespace {

const std::filesystem::path kData = QUILLMERE_DATA_DIR;
const std::vector<std::string> kGlobals = {"inherit", "initial", "unset", "revert", "revert-layer"};
const std::set<std::string> kPickers = {"<color>", "<length>", "<percentage>", "<url>", "<font>"};

struct TEntry {
  std::string section;
  std::string name;
  std::string value;
  std::string syntax;
};

std::vector<TEntry> Entries(const TIniFile& ini) {
  std::vector<TEntry> entries;
  for (int n = 1;; ++n) {
    const std::string s = std::to_string(n);
    TEntry e{s, ini.ReadString(s, "name", "-1"), ini.ReadString(s, "value", ""),
             ini.ReadString(s, "syntax", "")};
    if (e.name == "-1") {
      return entries;
    }
    entries.push_back(e);
  }
}

class Css3Catalogue : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ini_ = new TIniFile(TIniFile::FromFile(kData / "css3.txt"));
    syntaxes_ = new TIniFile(TIniFile::FromFile(kData / "css3syntax.txt"));
  }
  static void TearDownTestSuite() {
    delete ini_;
    delete syntaxes_;
  }
  static const TIniFile& Ini() { return *ini_; }

  // Every word a syntax can lead to, through the named syntaxes and the properties it refers to.
  static std::set<std::string> WordsOf(const std::string& syntax,
                                       const std::map<std::string, std::string>& properties) {
    std::set<std::string> words;
    std::set<std::string> seen;
    const std::regex token(R"(<'([^']+)'>|<([a-z0-9-]+)(\(\))?[^>]*>|([a-zA-Z-][a-zA-Z0-9-]*))");
    std::function<void(const std::string&)> walk = [&](const std::string& text) {
      for (std::sregex_iterator m(text.begin(), text.end(), token), end; m != end; ++m) {
        std::string next;
        if ((*m)[1].matched && seen.insert("'" + (*m)[1].str()).second) {
          const auto found = properties.find((*m)[1].str());
          next = found == properties.end() ? "" : found->second;
        } else if ((*m)[2].matched && !(*m)[3].matched && seen.insert((*m)[2].str()).second) {
          next = syntaxes_->ReadString("syntaxes", (*m)[2].str(), "");
        } else if ((*m)[4].matched) {
          words.insert((*m)[4].str());
        }
        if (!next.empty()) {
          walk(next);
        }
      }
    };
    walk(syntax);
    return words;
  }

 private:
  static inline const TIniFile* ini_ = nullptr;
  static inline const TIniFile* syntaxes_ = nullptr;
};

TEST_F(Css3Catalogue, NamesItsSourcesAndFourBrowsers) {
  EXPECT_NE(Ini().ReadString("catalogue", "source", "").find("mdn-data "), std::string::npos);
  EXPECT_EQ(SplitList(Ini().ReadString("catalogue", "browsers", ""), '|'),
            (std::vector<std::string>{"Chrome", "Edge", "Firefox", "Safari"}));
}

TEST_F(Css3Catalogue, EverySupportFieldIsAVersionOrNoOrUnknownWithKnownMarks) {
  const std::regex field(R"((\d+(\.\d+)*|preview|no|\?)(\+partial)?(\+prefix)?(\+flag)?)");
  for (const TEntry& e : Entries(Ini())) {
    const std::string supported = Ini().ReadString(e.section, "supported", "");
    const std::vector<std::string> fields = SplitList(supported, '|');
    ASSERT_EQ(fields.size(), 4u) << e.name << " supported=" << supported;
    for (const std::string& f : fields) {
      EXPECT_TRUE(std::regex_match(f, field)) << e.name << " supported=" << supported;
    }
  }
}

TEST_F(Css3Catalogue, EveryListOffersKeywordsOfItsSyntaxThenTheGlobalKeywordsLast) {
  std::map<std::string, std::string> properties;
  const std::vector<TEntry> entries = Entries(Ini());
  for (const TEntry& e : entries) {
    properties[e.name] = e.syntax;
  }
  int lists = 0;
  for (const TEntry& e : entries) {
    if (e.value.empty() || e.value.front() == '/') {
      continue;
    }
    ++lists;
    std::vector<std::string> list = SplitList(e.value, '|');
    ASSERT_GE(list.size(), kGlobals.size()) << e.name;
    EXPECT_TRUE(std::equal(kGlobals.begin(), kGlobals.end(), list.end() - 5)) << e.name;
    list.resize(list.size() - kGlobals.size());
    const std::set<std::string> allowed = WordsOf(e.syntax, properties);
    for (const std::string& entry : list) {
      EXPECT_TRUE(kPickers.count(entry) == 1 || allowed.count(entry) == 1)
          << e.name << " offers " << entry << " outside " << e.syntax;
      EXPECT_EQ(std::count(list.begin(), list.end(), entry), 1) << e.name << " repeats " << entry;
    }
  }
  EXPECT_GT(lists, 300);
}

// What a designer reaches for today, as the rows the panel must show.
TEST_F(Css3Catalogue, HoldsTodaysPropertiesDescriptorsAndShorthandParts) {
  TInspectorCollection items;
  items.LoadCatalogue(Ini());
  struct TCase {
    std::string name;
    std::vector<std::string> offers;  // entries of its drop-down, or its part rows
  };
  const TCase cases[] = {
      {"display", {"flex", "grid", "inline-flex", "contents", "none"}},
      {"gap", {"row-gap", "column-gap"}},
      {"flex", {"flex-grow", "flex-shrink", "flex-basis"}},
      {"inset", {"top", "right", "bottom", "left"}},
      {"grid-template-columns", {"none", "subgrid", "<length>", "<percentage>"}},
      {"box-sizing", {"content-box", "border-box"}},
      {"object-fit", {"contain", "cover"}},
      {"color", {"<color>"}},
      {"font-family", {"serif", "<font>"}},
      {"background-image", {"none", "<url>"}},
      {"transform", {"none"}},
      {"transition", {"transition-property", "transition-duration"}},
      {"src", {}},
      {"font-display", {"swap"}},
      {"unicode-range", {}},
      {"size", {"auto", "portrait", "<length>"}},
      {"syntax", {}},
      {"inherits", {"true", "false"}},
      {"initial-value", {}},
      {"azimuth", {"left-side"}},
  };
  for (const TCase& c : cases) {
    const int32_t at = items.IndexOfTag(c.name);
    ASSERT_GE(at, 0) << c.name;
    const TInspectorItem& row = items.Items(at);
    std::vector<std::string> offered = SplitList(row.EditList, '|');
    for (int32_t i = 1; i <= items.ChildCount(row); ++i) {
      offered.push_back(items.Items(at + i).Caption);
    }
    for (const std::string& entry : c.offers) {
      EXPECT_NE(std::find(offered.begin(), offered.end(), entry), offered.end())
          << c.name << " lacks " << entry;
    }
    EXPECT_NE(row.Description.find("Support: Chrome "), std::string::npos) << c.name;
  }
  EXPECT_NE(items.Items(items.IndexOfTag("azimuth")).Description.find("Obsolete."),
            std::string::npos);
}

// The property names of the declarations in the packaged real sheets, with how often each is
// used: a name after "{" or ";" (outside comments and strings) followed by ":", where no "{" comes
// before the declaration's end (that would be a nested selector such as a:hover).
std::map<std::string, int> PropertiesOfRealSheets() {
  const auto isNameChar = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
  };
  std::map<std::string, int> names;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    if (sheet.name.rfind("corpus/", 0) == 0) {
      continue;
    }
    std::string text = ReadSheetBytes(sheet.path);
    // Comments and strings become blanks, so that only the structure is left.
    for (size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "/*") == 0) {
        const size_t end = std::min(text.find("*/", i + 2), text.size() - 2) + 2;
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(i),
                  text.begin() + static_cast<std::ptrdiff_t>(end), ' ');
        i = end - 1;
      } else if (text[i] == '"' || text[i] == '\'') {
        size_t end = i + 1;
        while (end < text.size() && text[end] != text[i] && text[end] != '\n') {
          end += text[end] == '\\' ? 2 : 1;
        }
        end = std::min(end, text.size() - 1);
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                  text.begin() + static_cast<std::ptrdiff_t>(end), ' ');
        i = end;
      }
    }
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '{' && text[i] != ';') {
        continue;
      }
      size_t start = text.find_first_not_of(" \t\r\n", i + 1);
      size_t end = start;
      while (end < text.size() && isNameChar(text[end])) {
        ++end;
      }
      const size_t colon = text.find_first_not_of(" \t\r\n", end);
      if (start == std::string::npos || end == start || colon == std::string::npos ||
          text[colon] != ':') {
        continue;
      }
      const size_t close = text.find_first_of(";}{", colon);
      if (close != std::string::npos && text[close] != '{') {
        ++names[AsciiLowerCase(std::string_view(text).substr(start, end - start))];
      }
    }
  }
  return names;
}

TEST_F(Css3Catalogue, KnowsAtLeast97PercentOfThePropertiesRealSheetsUse) {
  // Names the real sheets use that current CSS does not list, and why.
  const std::map<std::string, std::string> unknown = {
      {"behavior", "Internet Explorer's HTML components (leaflet.css); never part of CSS"},
      {"color-adjust",
       "the former name of print-color-adjust, which browsers accept only as an "
       "alias (bootstrap4); the current data lists the new name"},
  };
  TInspectorCollection items;
  items.LoadCatalogue(Ini());
  int distinct = 0;
  std::vector<std::string> missing;
  for (const auto& [name, uses] : PropertiesOfRealSheets()) {
    if (name.empty() || name.front() == '-') {
      continue;  // vendor prefixes and custom properties
    }
    ++distinct;
    if (items.IndexOfTag(name) < 0) {
      missing.push_back(name);
      EXPECT_EQ(unknown.count(name), 1u) << name << " (" << uses << " uses) is not known";
    }
  }
  ASSERT_GT(distinct, 100);
  RecordProperty("known", std::to_string(distinct - static_cast<int>(missing.size())) + " of " +
                              std::to_string(distinct));
  EXPECT_LE(missing.size() * 100, static_cast<size_t>(distinct) * 3)
      << missing.size() << " of " << distinct << " unknown";
}

}  // namespace
}  // namespace qm
