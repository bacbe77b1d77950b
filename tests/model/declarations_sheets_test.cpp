// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading declarations agree on every rule of every real-world sheet: what is
// written reads back, the braces still pair, nothing outside the rule changes, the rule's other
// declarations stay, the same write again changes nothing, and an empty value takes it away.
#include <gtest/gtest.h>

#include <array>

#include "model/asciicase.h"
#include "model/sheet/declarations.h"
#include "model/text/memorydocument.h"
#include "realsheets.h"

namespace qm {
namespace {

// The layouts a write has to keep whole, beside the real sheets.
constexpr std::string_view kLayouts =
    "h1 { color: red }\r\n"
    "h2 {color: red;}\r\n"
    "h3 {\r\n  margin: 0\r\n}\r\n"
    "h4 {\r\n  color: red; }\r\n"
    "h5{}\r\n"
    "@media print {\r\n  .color { margin: 0 }\r\n  p { font-family: \"a;b\" }\r\n}\r\n"
    "a { background: url(data:image/png;base64,AA==) }\r\n"
    "b {\r\n  /* color: red; */\r\n}";

// The batch applied to a copy of the text, in one pass.
std::string Applied(std::string_view text, const TEditBatch& batch) {
  std::string result;
  size_t at = 0;
  for (const TTextEdit& edit : batch.Ordered()) {
    result.append(text.substr(at, static_cast<size_t>(edit.Start) - at)).append(edit.Text);
    at = static_cast<size_t>(edit.End);
  }
  return result.append(text.substr(at));
}

// Closed rules that hold no other block: their ranges never overlap, so one write into each can
// go into one batch.
std::vector<int32_t> LeafBlocks(const TDocument& document, const TModList& blocks) {
  std::vector<int32_t> leaves;
  for (int32_t i = 0; i < blocks.Count(); ++i) {
    const TItmRecord& block = blocks.Items(i);
    if (block.EndPos >= 0 && HoldsDeclarations(BlockKind(document, blocks, i)) &&
        (i + 1 == blocks.Count() || blocks.Items(i + 1).StartPos > block.EndPos)) {
      leaves.push_back(i);
    }
  }
  return leaves;
}

// The text outside the leaf blocks, which no write may change.
std::vector<std::string_view> Outside(std::string_view text, const TModList& blocks,
                                      const std::vector<int32_t>& leaves) {
  std::vector<std::string_view> parts;
  size_t at = 0;
  for (const int32_t i : leaves) {
    const auto start = static_cast<size_t>(blocks.Items(i).StartPos);
    parts.push_back(text.substr(at, start - at));
    at = static_cast<size_t>(blocks.Items(i).EndPos) + 1;
  }
  parts.push_back(text.substr(at));
  return parts;
}

struct TWritten {
  TMemoryDocument Document;
  TModList Blocks;
};

// The property written into each leaf: the common ones in turn, and every fifth rule its own
// first declaration, which is then replaced.
std::vector<std::string> NamesFor(const TDocument& document, const TModList& blocks,
                                  const std::vector<int32_t>& leaves) {
  static const std::array<std::string, 4> kNames = {"color", "margin", "font-family", "background"};
  std::vector<std::string> names;
  for (size_t k = 0; k < leaves.size(); ++k) {
    const auto items = ParseDeclarations(document, blocks, leaves[k]);
    if (k % 5 == 4 && !items.empty()) {
      names.emplace_back(
          document.Text().substr(static_cast<size_t>(items[0].NameStart),
                                 static_cast<size_t>(items[0].NameEnd - items[0].NameStart)));
    } else {
      names.push_back(kNames[k % kNames.size()]);
    }
  }
  return names;
}

std::string ValueFor(int32_t block, bool remove) {
  return remove ? std::string() : "qm-" + std::to_string(block);
}

// One write into every leaf block, value_i for block i.
TEditBatch WriteEverywhere(const TMemoryDocument& document, const TModList& blocks,
                           const std::vector<int32_t>& leaves,
                           const std::vector<std::string>& names, bool remove) {
  TEditBatch batch;
  for (size_t k = 0; k < leaves.size(); ++k) {
    const int32_t i = leaves[k];
    const int32_t caret = blocks.Items(i).StartPos + 1;
    for (TTextEdit edit :
         PlanDeclarationWrite(document, blocks, i, names[k], ValueFor(i, remove), {8, caret, caret})
             .Ordered()) {
      batch.Add(std::move(edit));
    }
  }
  return batch;
}

// A rule's declarations as name and value, but those of one name.
std::vector<std::pair<std::string_view, std::string_view>> Others(const TDocument& document,
                                                                  const TModList& blocks,
                                                                  int32_t block,
                                                                  std::string_view name) {
  std::vector<std::pair<std::string_view, std::string_view>> others;
  const std::string_view text = document.Text();
  for (const TDeclarationItem& item : ParseDeclarations(document, blocks, block)) {
    const auto slice = [&](int32_t from, int32_t to) {
      return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    };
    if (!EqualIgnoringAsciiCase(slice(item.NameStart, item.NameEnd), name)) {
      others.emplace_back(slice(item.NameStart, item.NameEnd),
                          slice(item.ValueStart, item.PriorityEnd));
    }
  }
  return others;
}

// Writes (or removes) in every leaf at once and checks every invariant of a write on the result.
void CheckWrites(const TMemoryDocument& document, const TModList& blocks,
                 const std::vector<int32_t>& leaves, const std::vector<std::string>& names,
                 bool remove, TWritten& written) {
  SCOPED_TRACE(remove ? "remove" : "write");
  written.Document.SetText(
      Applied(document.Text(), WriteEverywhere(document, blocks, leaves, names, remove)));
  RebuildBlocks(written.Document, written.Blocks);
  ASSERT_EQ(written.Blocks.Count(), blocks.Count());
  for (int32_t i = 0; i < blocks.Count(); ++i) {
    ASSERT_EQ(written.Blocks.Items(i).EndPos < 0, blocks.Items(i).EndPos < 0) << "block " << i;
  }
  EXPECT_EQ(Outside(written.Document.Text(), written.Blocks, leaves),
            Outside(document.Text(), blocks, leaves));
  for (size_t k = 0; k < leaves.size(); ++k) {
    const int32_t i = leaves[k];
    const std::string read = ReadDeclaration(written.Document, written.Blocks, i, names[k]);
    if (remove) {
      ASSERT_NE(read, ValueFor(i, false)) << "block " << i << ": " << blocks.Items(i).Name;
    } else {
      ASSERT_EQ(read, ValueFor(i, false)) << "block " << i << ": " << blocks.Items(i).Name;
    }
    ASSERT_EQ(Others(written.Document, written.Blocks, i, names[k]),
              Others(document, blocks, i, names[k]))
        << "block " << i << ": " << blocks.Items(i).Name;
  }
  if (!remove) {
    EXPECT_TRUE(WriteEverywhere(written.Document, written.Blocks, leaves, names, remove).Empty());
  }
}

void CheckSheet(const std::string& sheetName, std::string_view text) {
  SCOPED_TRACE(sheetName);
  const TMemoryDocument document{std::string(text)};
  TModList blocks;
  RebuildBlocks(document, blocks);
  const std::vector<int32_t> leaves = LeafBlocks(document, blocks);
  const std::vector<std::string> names = NamesFor(document, blocks, leaves);
  TWritten written;
  CheckWrites(document, blocks, leaves, names, false, written);
  TWritten removed;
  CheckWrites(written.Document, written.Blocks, leaves, names, true, removed);
}

TEST(DeclarationsOnRealSheets, WhatIsWrittenReadsBackAndNothingElseChanges) {
  CheckSheet("layouts", kLayouts);
  for (const TSheetFile& sheet : RealSheetFiles()) {
    CheckSheet(sheet.name, ReadSheetBytes(sheet.path));
  }
}

}  // namespace
}  // namespace qm
