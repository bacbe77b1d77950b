// SPDX-License-Identifier: GPL-3.0-or-later
// Every declaration of every rule of the real-world sheets checked against the catalogue: none is
// an error, and what only old browsers read is a warning that says so.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/sheet/declarations.h"
#include "model/text/memorydocument.h"
#include "model/text/textfile.h"
#include "model/values/valuechecker.h"
#include "realsheets.h"

namespace qm {
namespace {

// What the sheets hold that only old browsers read: each is a warning that names it, never an
// error. Any error is a fault of the checker.
struct TOldBrowserHack {
  std::string_view Says;  // the words of its warning
  bool (*Is)(std::string_view property, std::string_view value);
};
const TOldBrowserHack kHacks[] = {
    {"Internet Explorer's `progid:` filter",
     [](std::string_view property, std::string_view value) {
       return property == "filter" && value.starts_with("progid:");
     }},
    {"Internet Explorer's `alpha(opacity=...)` filter",
     [](std::string_view property, std::string_view value) {
       return property == "filter" && value.starts_with("alpha(opacity=");
     }},
    {"the `\\9` value hack",
     [](std::string_view, std::string_view value) { return value.ends_with("\\9"); }},
    {"Internet Explorer's HTC binding",
     [](std::string_view property, std::string_view) { return property == "behavior"; }},
    {"`color-adjust` is an old name that browsers still read: use `print-color-adjust`",
     [](std::string_view property, std::string_view) { return property == "color-adjust"; }},
};

TEST(ValueCheckerOnRealSheets, NoErrorAndEachOldBrowserHackAWarningThatNamesIt) {
  const TValueChecker checker =
      TValueChecker::FromFiles(std::string(QUILLMERE_DATA_DIR) + "/css3.txt",
                               std::string(QUILLMERE_DATA_DIR) + "/css3syntax.txt");
  std::string unexpected;
  std::set<std::string_view> seen;
  int checked = 0;
  int unknown = 0;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    if (sheet.name.starts_with("corpus/")) {
      continue;
    }
    const TMemoryDocument document{LoadText(ReadSheetBytes(sheet.path)).Text};
    TModList blocks;
    RebuildBlocks(document, blocks);
    const std::string_view text = document.Text();
    for (int32_t block = 0; block < blocks.Count(); ++block) {
      const TBlockKind kind = BlockKind(document, blocks, block);
      if (!HoldsDeclarations(kind)) {
        continue;
      }
      // An at-rule's descriptors are checked as its own ("@font-face").
      std::string_view atRule;
      if (kind == TBlockKind::DeclarationAtRule) {
        atRule = blocks.Items(block).Name;
        atRule = atRule.substr(0, atRule.find_first_of(" \t\r\n"));
      }
      for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
        const std::string_view name =
            text.substr(static_cast<size_t>(item.NameStart),
                        static_cast<size_t>(item.NameEnd - item.NameStart));
        const std::string_view value =
            text.substr(static_cast<size_t>(item.ValueStart),
                        static_cast<size_t>(item.ValueEnd - item.ValueStart));
        ++checked;
        const TValueCheck check = checker.Check(name, value, atRule);
        unknown += check.Verdict == TValueVerdict::Unknown ? 1 : 0;
        if (check.Verdict == TValueVerdict::Error) {
          unexpected += sheet.name + ": " + check.Message + "\n";
        }
        for (const TOldBrowserHack& hack : kHacks) {
          if (hack.Is(name, value)) {
            seen.insert(hack.Says);
            if (check.Verdict != TValueVerdict::Warning ||
                check.Message.find(hack.Says) == std::string::npos) {
              unexpected += sheet.name + ": not told as " + std::string(hack.Says) + ": " +
                            check.Message + "\n";
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 10000);
  // Values the checker cannot judge stay rare.
  EXPECT_LT(unknown, checked / 100);
  EXPECT_EQ(unexpected, "");
  EXPECT_EQ(seen.size(), std::size(kHacks));
}

}  // namespace
}  // namespace qm
