// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading declarations agree on every block of every real-world sheet: what is
// written reads back, the braces still pair, nothing outside the block changes, and an empty
// value takes the declaration away again.
#include <gtest/gtest.h>

#include "model/declarations.h"
#include "model/memorydocument.h"
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

// Closed blocks that hold no other block: their ranges never overlap, so one write into each can
// go into one batch.
std::vector<int32_t> LeafBlocks(const TDocument& document, const TModList& blocks) {
  std::vector<int32_t> leaves;
  for (int32_t i = 0; i < blocks.Count(); ++i) {
    const TItmRecord& block = blocks.Items(i);
    if (RuleBlockAt(document, blocks, block.StartPos + 1) == i &&
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

// One write of name into every leaf block, value_i for block i.
void WriteEverywhere(const TMemoryDocument& document, const TModList& blocks,
                     const std::vector<int32_t>& leaves, const std::string& name, bool remove,
                     TWritten& written) {
  TEditBatch batch;
  for (const int32_t i : leaves) {
    const std::string value = remove ? std::string() : "qm-" + std::to_string(i);
    const int32_t caret = blocks.Items(i).StartPos + 1;
    for (TTextEdit edit :
         PlanDeclarationWrite(document, blocks, i, name, value, {8, caret, caret}).Ordered()) {
      batch.Add(std::move(edit));
    }
  }
  written.Document.SetText(Applied(document.Text(), batch));
  RebuildBlocks(written.Document, written.Blocks);
}

void CheckSheet(const std::string& sheetName, std::string_view text) {
  SCOPED_TRACE(sheetName);
  const TMemoryDocument document{std::string(text)};
  TModList blocks;
  RebuildBlocks(document, blocks);
  const std::vector<int32_t> leaves = LeafBlocks(document, blocks);
  const auto outside = Outside(document.Text(), blocks, leaves);
  for (const std::string name : {"color", "margin", "font-family", "background"}) {
    SCOPED_TRACE(name);
    TWritten written;
    WriteEverywhere(document, blocks, leaves, name, false, written);
    ASSERT_EQ(written.Blocks.Count(), blocks.Count());
    for (int32_t i = 0; i < blocks.Count(); ++i) {
      ASSERT_EQ(written.Blocks.Items(i).EndPos < 0, blocks.Items(i).EndPos < 0) << "block " << i;
    }
    EXPECT_EQ(Outside(written.Document.Text(), written.Blocks, leaves), outside);
    for (const int32_t i : leaves) {
      ASSERT_EQ(ReadDeclaration(written.Document, written.Blocks, i, name),
                "qm-" + std::to_string(i))
          << "block " << i << ": " << blocks.Items(i).Name;
    }

    TWritten removed;
    WriteEverywhere(written.Document, written.Blocks, leaves, name, true, removed);
    ASSERT_EQ(removed.Blocks.Count(), blocks.Count());
    EXPECT_EQ(Outside(removed.Document.Text(), removed.Blocks, leaves), outside);
    for (const int32_t i : leaves) {
      ASSERT_NE(ReadDeclaration(removed.Document, removed.Blocks, i, name),
                "qm-" + std::to_string(i))
          << "block " << i << ": " << blocks.Items(i).Name;
    }
  }
}

TEST(DeclarationsOnRealSheets, WhatIsWrittenReadsBackAndNothingElseChanges) {
  CheckSheet("layouts", kLayouts);
  for (const TSheetFile& sheet : RealSheetFiles()) {
    CheckSheet(sheet.name, ReadSheetBytes(sheet.path));
  }
}

}  // namespace
}  // namespace qm
