// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/editbatch.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/text/memorydocument.h"

namespace qm {
namespace {

struct BatchCase {
  std::string name;
  std::string text;
  std::vector<TTextEdit> edits;  // in the order they are added
  std::string expected;
  int32_t caret;
};

class EditBatchTable : public testing::TestWithParam<BatchCase> {};

TEST_P(EditBatchTable, AppliesEveryEditToTheTextItWasPlannedFor) {
  const BatchCase& c = GetParam();
  TEditBatch batch;
  for (const TTextEdit& edit : c.edits) {
    batch.Add(edit);
  }
  TMemoryDocument document(c.text);
  EXPECT_EQ(ApplyBatch(batch, document), c.caret);
  EXPECT_EQ(document.Text(), c.expected);
  // The lines of the edited document are those of a fresh one of the same text.
  const TMemoryDocument fresh(c.expected);
  ASSERT_EQ(document.LineCount(), fresh.LineCount());
  for (int32_t line = 1; line <= fresh.LineCount(); ++line) {
    EXPECT_EQ(document.LineText(line), fresh.LineText(line)) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBatchTable,
    testing::Values(
        BatchCase{"one_edit", "a {}", {{2, 2, "x", 3}}, "a x{}", 3},
        // Planned front to back, added in any order: each range still means the planned text.
        BatchCase{"added_front_to_back",
                  "a {\r\n}\r\nb {\r\n}",
                  {{0, 1, "p", 1}, {8, 9, "em", 10}},
                  "p {\r\n}\r\nem {\r\n}",
                  10},
        BatchCase{"added_back_to_front",
                  "a {\r\n}\r\nb {\r\n}",
                  {{8, 9, "em", 10}, {0, 1, "p", 1}},
                  "p {\r\n}\r\nem {\r\n}",
                  1},
        BatchCase{"deletions_over_lines",
                  "a {}\r\nb {}\r\nc {}",
                  {{0, 6, "", 0}, {10, 16, "", 10}},
                  "b {}",
                  4},
        BatchCase{"inserts_at_one_place_keep_their_order",
                  "{}",
                  {{1, 1, "a", 2}, {1, 1, "b", 2}},
                  "{ab}",
                  3},
        BatchCase{"empty_batch", "a", {}, "a", 0}),
    [](const testing::TestParamInfo<BatchCase>& info) { return info.param.name; });

TEST(EditBatch, RefusesOverlappingEdits) {
  TEditBatch batch;
  batch.Add({0, 3, "x", 0});
  batch.Add({2, 4, "y", 0});
  TMemoryDocument document("abcdef");
  EXPECT_THROW(ApplyBatch(batch, document), std::invalid_argument);
  EXPECT_EQ(document.Text(), "abcdef");
}

}  // namespace
}  // namespace qm
