// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheet/selectorblocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <set>

#include "model/error.h"
#include "model/sheet/rulebody.h"
#include "model/text/memorydocument.h"
#include "model/text/textfile.h"
#include "model/text/textscan.h"
#include "realsheets.h"
#include "sheets.h"

namespace qm {
namespace {

TModList Blocks(const TDocument& document) {
  TModList blocks;
  RebuildBlocks(document, blocks);
  return blocks;
}

struct BlockCase {
  const char* name;
  std::string text;
  std::vector<TItmRecord> blocks;
};

void PrintTo(const BlockCase& c, std::ostream* out) {
  *out << c.name;
}

class BlockList : public testing::TestWithParam<BlockCase> {};

TEST_P(BlockList, RebuildFindsEveryBlock) {
  const TMemoryDocument document(GetParam().text);
  EXPECT_EQ(Blocks(document).All(), GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockList,
    testing::Values(
        BlockCase{"group_of_elements", "h1, h2 { }", {{7, 9, "Element", "h1, h2"}}},
        BlockCase{"ids",
                  "#main{}\r\ndiv#main{}\r\n.x, #y{}",
                  {{5, 6, "ID", "#main"}, {17, 18, "ID", "div#main"}, {27, 28, "ID", ".x, #y"}}},
        BlockCase{"elements_in_any_case",
                  "P{}A:Hover{}",
                  {{1, 2, "Element", "P"}, {10, 11, "Element", "A:Hover"}}},
        BlockCase{"classes",
                  "wig{}zed{}xhtml{}p.note{}",
                  {{3, 4, "Class", "wig"},
                   {8, 9, "Class", "zed"},
                   {15, 16, "Class", "xhtml"},
                   {23, 24, "Class", "p.note"}}},
        BlockCase{"elements_of_current_html",
                  "nav{}IMG{}figcaption{}",
                  {{3, 4, "Element", "nav"},
                   {8, 9, "Element", "IMG"},
                   {20, 21, "Element", "figcaption"}}},
        BlockCase{"brace_at_index_0_opens_nothing", "{}a{}", {{3, 4, "Element", "a"}}},
        BlockCase{"brace_in_a_comment", "/* { */ h1 {}", {{11, 12, "Element", "h1"}}},
        BlockCase{"statement_at_rule_is_not_the_name",
                  "@import url(x.css);\r\nb{}",
                  {{22, 23, "Element", "b"}}},
        BlockCase{"nested_rules_have_their_own_names",
                  "@media print {h1 {} /* x */ .a:hover{} p{color:red; & b{}}}",
                  {{13, 58, "Class", "@media print"},
                   {17, 18, "Element", "h1"},
                   {36, 37, "Class", ".a:hover"},
                   {40, 57, "Element", "p"},
                   {55, 56, "Class", "& b"}}},
        BlockCase{"a_comment_before_is_not_the_name",
                  "/* head; */\r\nh1 {}",
                  {{16, 17, "Element", "h1"}}},
        BlockCase{"nothing_before_the_brace", "x}{}", {{2, 3, "Class", ""}}},
        BlockCase{"namespaces_and_attributes_stay_whole",
                  "svg|a[lang|=en] {}",
                  {{16, 17, "Class", "svg|a[lang|=en]"}}},
        BlockCase{"unclosed", "a { color: red;", {{2, -1, "Element", "a"}}},
        // Braces, ";" and comment marks in strings and unquoted url() are text.
        BlockCase{
            "url_braces_are_text", "a { background: url(data:x;{y) }", {{2, 31, "Element", "a"}}},
        BlockCase{"string_braces_are_text",
                  "a { content: \"{\"; quotes: '}' '/*' }b{}",
                  {{2, 35, "Element", "a"}, {37, 38, "Element", "b"}}},
        BlockCase{"semicolon_in_a_string_ends_no_name",
                  "[title=\"a;b\"], [x='}'] {}",
                  {{23, 24, "Class", "[title=\"a;b\"], [x='}']"}}},
        BlockCase{"escaped_brace_is_part_of_the_name", ".a\\{b {}", {{6, 7, "Class", ".a\\{b"}}},
        BlockCase{"quote_left_open_on_its_line_is_a_byte",
                  "a { content: \"x}\r\nb {}",
                  {{2, 15, "Element", "a"}, {20, 21, "Element", "b"}}},
        BlockCase{
            "comment_end_outside_a_comment_ends_the_name", "x */ p {}", {{7, 8, "Element", "p"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockList, Lookups) {
  const TMemoryDocument document("a {x}\r\nb {}\r\n@media {c {y}}");
  const TModList blocks = Blocks(document);
  ASSERT_EQ(blocks.Count(), 4);
  const TItmRecord& a = blocks.Items(0);
  EXPECT_EQ(blocks.BlockAt(a.StartPos), -1);
  EXPECT_EQ(blocks.BlockAt(a.StartPos + 1), 0);
  EXPECT_EQ(blocks.BlockAt(a.EndPos), -1);
  EXPECT_EQ(blocks.BlockAt(blocks.Items(1).StartPos + 1), -1);  // "{}" holds no index
  EXPECT_EQ(blocks.BlockAt(blocks.Items(3).StartPos + 1), 2);   // the enclosing block first
  EXPECT_EQ(blocks.NextBlockStart(0), a.StartPos);
  EXPECT_EQ(blocks.NextBlockStart(blocks.Items(3).StartPos), 0);
  EXPECT_EQ(blocks.NextBlockEnd(blocks.Items(3).StartPos), blocks.Items(2).EndPos);
  EXPECT_EQ(TModList().BlockAt(3), -1);
  EXPECT_EQ(TModList().NextBlockEnd(3), 0);
  EXPECT_EQ(blocks.IndexOfName("b"), 1);
  EXPECT_EQ(blocks.IndexOfName("B"), -1);
}

// Forwards to a memory document and counts every question asked of it.
class TCountingDocument final : public TDocument {
 public:
  explicit TCountingDocument(std::string text) : Inner_(std::move(text)) {}
  std::string_view Text() const override { return Count(Inner_.Text()); }
  int32_t LineCount() const override { return Count(Inner_.LineCount()); }
  int32_t LineStart(int32_t line) const override { return Count(Inner_.LineStart(line)); }
  int32_t LineLength(int32_t line) const override { return Count(Inner_.LineLength(line)); }
  TScanState LineStartState(int32_t line) const override {
    return Count(Inner_.LineStartState(line));
  }
  uint64_t TextVersion() const override { return Count(Inner_.TextVersion()); }
  TTokenKind TokenAt(int32_t line, int32_t col) const override {
    return Count(Inner_.TokenAt(line, col));
  }
  int32_t MatchingBrace(int32_t index) const override { return Count(Inner_.MatchingBrace(index)); }
  std::optional<TTextChange> ChangedSince(uint64_t version) const override {
    return Count(Inner_.ChangedSince(version));
  }
  int64_t Questions() const { return Questions_; }
  void Replace(int32_t index, int32_t length, std::string_view text) {
    Inner_.Replace(index, length, text);
  }

 private:
  template <typename T>
  T Count(T answer) const {
    ++Questions_;
    return answer;
  }
  TMemoryDocument Inner_;
  mutable int64_t Questions_ = 0;
};

// A quote left open on a long line is a plain byte: the braces after it still pair, each with
// its own, and the rebuild asks the document a few questions, however many blocks there are.
TEST(BlockList, AStrayQuoteHidesNoBrace) {
  const int rules = 3000;
  std::string sheet = "x{content:\"";
  for (int i = 0; i < rules; ++i) {
    sheet += "a{b:c}";
  }
  sheet += "\r\np{}\r\n}";
  const TCountingDocument document(sheet);
  const TModList blocks = Blocks(document);
  const auto last = static_cast<int32_t>(sheet.size()) - 1;
  ASSERT_EQ(blocks.Count(), rules + 2);
  EXPECT_EQ(blocks.Items(0).EndPos, last);
  for (int i = 1; i <= rules; ++i) {
    ASSERT_EQ(blocks.Items(i).StartPos, 6 * i + 6) << i;
    ASSERT_EQ(blocks.Items(i).EndPos, 6 * i + 10) << i;
  }
  EXPECT_EQ(blocks.Items(rules + 1).EndPos, last - 3);
  EXPECT_LE(document.Questions(), 8);
}

// Nested blocks: every name runs back to the start of the text, and all of them are views of one
// copy of it, so the list grows with the number of blocks, not with the length of their names.
TEST(BlockList, DeeplyNestedNamesShareOneText) {
  const int levels = 20000;
  std::string sheet;
  for (int i = 0; i < levels; ++i) {
    sheet += i % 2 == 0 ? ".c {" : "#a {";
  }
  sheet += std::string(levels, '}');
  const TModList blocks = Blocks(TMemoryDocument(sheet));
  ASSERT_EQ(blocks.Count(), levels);
  const char* const start = blocks.Items(0).Name.data();
  EXPECT_EQ(blocks.Items(0).Name, ".c");
  for (int32_t i = 0; i < levels; ++i) {
    const TItmRecord& block = blocks.Items(i);
    ASSERT_EQ(block.StartPos, 4 * i + 3) << i;
    ASSERT_EQ(block.EndPos, static_cast<int32_t>(sheet.size()) - 1 - i) << i;
    // Each its own selector, not the enclosing ones', viewing the one copy of the text.
    ASSERT_EQ(block.Name.data(), start + 4 * i) << i;
    ASSERT_EQ(block.Name, i % 2 == 0 ? ".c" : "#a") << i;
    ASSERT_EQ(block.Kind, i % 2 == 0 ? "Class" : "ID") << i;
    ASSERT_LE(TreeName(block.Name).size(), TreeNameLimit) << i;
  }
}

// The names of a list stay readable when the list is copied, the document goes away, or the
// list it was copied from is rebuilt from another text.
TEST(BlockList, NamesLiveWithTheList) {
  TModList copy;
  {
    TMemoryDocument document("a {}\r\n.note {}");
    TModList blocks = Blocks(document);
    copy = blocks;
    document.SetText("#other {}\r\nb {}");
    RebuildBlocks(document, blocks);
    EXPECT_EQ(blocks.Items(0).Name, "#other");
  }
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(1).Name, ".note");
}

struct TreeNameCase {
  const char* name;
  std::string selector;
  std::string shown;
};

void PrintTo(const TreeNameCase& c, std::ostream* out) {
  *out << c.name;
}

class TreeNames : public testing::TestWithParam<TreeNameCase> {};

TEST_P(TreeNames, OneBoundedLine) {
  EXPECT_EQ(TreeName(GetParam().selector), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeNames,
    testing::Values(
        TreeNameCase{"short_names_stay", "h1, h2", "h1, h2"},
        TreeNameCase{"breaks_and_tabs_become_one_blank", "@import url(x.css);\r\n\tb",
                     "@import url(x.css); b"},
        TreeNameCase{"a_long_name_keeps_its_end", std::string(100, 'x') + " h1",
                     "..." + std::string(74, 'x') + " h1"},
        TreeNameCase{"longest_kept_whole", std::string(80, 'y'), std::string(80, 'y')},
        // "\xc3\xa9" is one character: a cut after its first byte moves past the second.
        TreeNameCase{"no_half_characters", "xxx\xc3\xa9" + std::string(76, 'z'),
                     "..." + std::string(76, 'z')}),
    [](const auto& info) { return std::string(info.param.name); });

// A list is used only with the text it was built from: after an edit both planners refuse it,
// and after a rebuild they plan on the new text.
TEST(BlockList, PlannersRefuseAListOfAnotherTextVersion) {
  TMemoryDocument document("a {color: red;} b {margin: 0;}");
  TModList blocks = Blocks(document);
  EXPECT_EQ(blocks.TextVersion(), document.TextVersion());
  document.Replace(0, 0, "/* note */");
  EXPECT_FALSE(blocks.Describes(document));
  EXPECT_THROW(PlanDeleteBlock(document, blocks, 1), TError);
  EXPECT_THROW(PlanNewSelector(document, blocks, 0, TSelectorTab::Class, "x"), TError);
  EXPECT_THROW(PlanNewSelector(document, TModList(), 0, TSelectorTab::Class, "x"), TError);

  RebuildBlocks(document, blocks);
  const auto edit = PlanDeleteBlock(document, blocks, blocks.IndexOfName("b"));
  ASSERT_TRUE(edit.has_value());
  document.Replace(edit->Start, edit->End - edit->Start, edit->Text);
  EXPECT_EQ(document.Text(), "/* note */a {color: red;} ");
}

// The blocks as the rule-body parser reads them: the sheet read as the body of one rule, and
// each nested rule's body in turn. Pairs of "{" and "}" (-1 for one never closed).
void BodyBlocks(std::string_view text, int32_t open, int32_t close,
                std::vector<std::pair<int32_t, int32_t>>& blocks) {
  for (const TNestedItem& item : ParseRuleBody(text, open, close).Nested) {
    if (item.Open >= 0) {
      // A block never closed runs to the end of the body around it.
      const bool closed = item.End - 1 > item.Open && text[size_t(item.End) - 1] == '}';
      blocks.emplace_back(item.Open, closed ? item.End - 1 : -1);
      BodyBlocks(text, item.Open, closed ? item.End - 1 : close, blocks);
    }
  }
}

// Every block of every real sheet, minified ones with url("data:...;base64,...") among them, is
// where the rule-body parser sees a rule, ends where it ends, and is where the document's own
// brace matching pairs it.
TEST(BlockList, RealSheetsPairAsTheRuleBodyParserReads) {
  size_t total = 0;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    SCOPED_TRACE(sheet.name);
    const TMemoryDocument document(LoadText(ReadSheetBytes(sheet.path)).Text);
    const TModList blocks = Blocks(document);
    // Wrapped in braces of its own, the sheet is one rule's body.
    const std::string wrapped = "{" + std::string(document.Text()) + "}";
    std::vector<std::pair<int32_t, int32_t>> expected;
    BodyBlocks(wrapped, 0, static_cast<int32_t>(wrapped.size()) - 1, expected);
    std::sort(expected.begin(), expected.end());
    std::vector<std::pair<int32_t, int32_t>> found;
    for (const TItmRecord& block : blocks.All()) {
      ASSERT_EQ(block.EndPos, document.MatchingBrace(block.StartPos)) << block.StartPos;
      ASSERT_NE(block.EndPos, -1) << block.StartPos;
      found.emplace_back(block.StartPos + 1, block.EndPos + 1);
    }
    EXPECT_EQ(found, expected);
    total += found.size();
  }
  EXPECT_GT(total, 10000u);
}

struct NewCase {
  const char* name;
  std::string text;
  int32_t caret;
  TSelectorTab tab;
  std::string input;
  std::string result;
  int32_t caretAfter;
};

void PrintTo(const NewCase& c, std::ostream* out) {
  *out << c.name;
}

class NewSelector : public testing::TestWithParam<NewCase> {};

TEST_P(NewSelector, InsertsAnEmptyBlock) {
  const NewCase& c = GetParam();
  const TMemoryDocument document(c.text);
  const TTextEdit edit = PlanNewSelector(document, Blocks(document), c.caret, c.tab, c.input);
  std::string result = c.text;
  result.replace(static_cast<size_t>(edit.Start), static_cast<size_t>(edit.End - edit.Start),
                 edit.Text);
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(edit.Caret, c.caretAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewSelector,
    testing::Values(NewCase{"class_after_the_block_at_the_caret", "h1 { x }\r\np{}", 3,
                            TSelectorTab::Class, ".note",
                            "h1 { x } \r\n.note {\r\n\r\n\r\n}\r\np{}", 20},
                    NewCase{"class_gets_no_dot", "h1{}", 2, TSelectorTab::Class, "note",
                            "h1{} \r\nnote {\r\n\r\n\r\n}", 15},
                    NewCase{"id_gets_a_hash", "h1{}", 2, TSelectorTab::ID, "main",
                            "h1{} \r\n#main {\r\n\r\n\r\n}", 16},
                    NewCase{"element_before_the_next_block", "a{}  b{}", 3, TSelectorTab::Element,
                            "EM", "a{}  b{} \r\nEM {\r\n\r\n\r\n}", 17},
                    NewCase{"text_after_the_brace_is_not_split", "a{}b{}", 1, TSelectorTab::Element,
                            "EM", "a{}\r\nEM {\r\n\r\n\r\n}\r\nb{}", 11},
                    NewCase{"after_the_last_block_goes_to_the_end", "a{}\r\nxyz", 8,
                            TSelectorTab::Class, "c", "a{}\r\nxyz\r\nc {\r\n\r\n\r\n}", 15},
                    NewCase{"empty_sheet", "", 0, TSelectorTab::Element, "BODY",
                            "\r\nBODY {\r\n\r\n\r\n}", 10}),
    [](const auto& info) { return std::string(info.param.name); });

struct DeleteCase {
  const char* name;
  std::string text;
  int block;
  std::string result;
};

void PrintTo(const DeleteCase& c, std::ostream* out) {
  *out << c.name;
}

class DeleteBlock : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteBlock, RemovesTheRuleOnly) {
  const DeleteCase& c = GetParam();
  const TMemoryDocument document(c.text);
  const TModList blocks = Blocks(document);
  const auto edit = PlanDeleteBlock(document, blocks, c.block);
  ASSERT_TRUE(edit.has_value());
  std::string result = c.text;
  result.erase(static_cast<size_t>(edit->Start), static_cast<size_t>(edit->End - edit->Start));
  EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteBlock,
    testing::Values(DeleteCase{"whole_lines", "a {\r\n  x: 1;\r\n}\r\nb {}", 0, "b {}"},
                    DeleteCase{"last_block_takes_the_break_before", "a {}\r\nb {\r\n}", 1, "a {}"},
                    DeleteCase{"rest_of_the_line_stays", "a {} b {} c {}", 1, "a {}  c {}"},
                    DeleteCase{"comment_and_at_rule_stay", "@import x;\r\n/* c */ b {}\r\nd{}", 0,
                               "@import x;\r\n/* c */ \r\nd{}"},
                    DeleteCase{"inside_an_at_rule", "@media print {\r\n  h1 { }\r\n}", 1,
                               "@media print {\r\n}"},
                    DeleteCase{"at_rule_with_its_blocks", "@media print {\r\n  h1 { }\r\n}\r\np{}",
                               0, "p{}"},
                    DeleteCase{"only_block", "h1 { }", 0, ""},
                    DeleteCase{"selector_holding_a_string", "a{}\r\n[title=\"x;y}\"] {}\r\nc{}", 1,
                               "a{}\r\nc{}"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeleteBlock, AnUnclosedBlockIsNotDeleted) {
  const TMemoryDocument document("a { x");
  EXPECT_FALSE(PlanDeleteBlock(document, Blocks(document), 0).has_value());
}

// A letter typed in the middle of a big sheet, a rule, and a "{" that leaves a block open to the
// end and is rubbed out again: the list brought up to date reads again only the stretch near the
// edit. The names of the blocks further away still view the text of the first build; only those
// read again view a copy of their stretch.
TEST(BlockList, AnUpdateLooksOnlyNearTheEdit) {
  const std::vector<TSample> sheets = CorpusSheets();
  const auto big = std::max_element(sheets.begin(), sheets.end(), [](const auto& a, const auto& b) {
    return a.text.size() < b.text.size();
  });
  ASSERT_NE(big, sheets.end());
  TMemoryDocument document(big->text);
  ASSERT_GT(document.LineCount(), 2000);
  TModList blocks;
  RebuildBlocks(document, blocks);
  std::set<const char*> built;
  for (const TItmRecord& block : blocks.All()) {
    built.insert(block.Name.data());
  }
  const std::string_view text = document.Text();
  const int32_t middle = document.LineStart(document.LineCount() / 2);
  const auto inRule = static_cast<int32_t>(text.find(':', text.find('{', middle)) + 1);
  const struct {
    int32_t At;
    int32_t Removed;
    std::string_view Typed;
  } edits[] = {{middle, 0, "x"}, {middle, 0, "a{}"}, {inRule, 0, "{"}, {inRule, 1, ""}};
  for (const auto& edit : edits) {
    document.Replace(edit.At, edit.Removed, edit.Typed);
    UpdateBlocks(document, blocks);
    EXPECT_EQ(blocks.All(), Blocks(document).All()) << edit.Typed;
    int32_t readAgain = 0;
    for (const TItmRecord& block : blocks.All()) {
      readAgain += built.count(block.Name.data()) == 0 ? 1 : 0;
    }
    EXPECT_LT(readAgain, blocks.Count() / 100) << edit.Typed;
  }
}

// After every edit of a random sequence over real sheets (and generated ones with every kind of
// line break), the list brought up to date equals one built from scratch; the edits are the
// pieces that move blocks, comments, strings and url(), at random places.
TEST(BlockList, AnUpdatedListEqualsARebuiltOne) {
  std::vector<TSample> sheets = CorpusSheets();
  std::mt19937 random(23);
  sheets.push_back({"generated", GeneratedSheet(random, 20000, false)});
  sheets.push_back({"generated_long_line", GeneratedSheet(random, 20000, true)});
  static const std::vector<std::string_view> pieces = {"{",
                                                       "}",
                                                       "\"",
                                                       "'",
                                                       "/*",
                                                       "*/",
                                                       ";",
                                                       "a",
                                                       " ",
                                                       "\r\n",
                                                       "\n",
                                                       "\r",
                                                       "x{y:z}",
                                                       "@media p{",
                                                       "\\",
                                                       "url(",
                                                       ")",
                                                       "#",
                                                       ",",
                                                       std::string_view("\0", 1),
                                                       "b {\r\n  c: d;\r\n}\r\n"};
  ASSERT_FALSE(sheets.empty());
  for (const TSample& sheet : sheets) {
    SCOPED_TRACE(sheet.name);
    TMemoryDocument document(sheet.text);
    TModList updated;
    UpdateBlocks(document, updated);
    // Fewer edits in the big sheets, where each full rebuild for the comparison costs most.
    const int edits = sheet.text.size() > 100000 ? 10 : 60;
    for (int edit = 0; edit < edits; ++edit) {
      const auto size = static_cast<int32_t>(document.Text().size());
      const int32_t at = std::uniform_int_distribution<int32_t>(0, size)(random);
      const int32_t removed = std::uniform_int_distribution<int32_t>(0, 3)(random) == 0
                                  ? std::uniform_int_distribution<int32_t>(0, 12)(random)
                                  : 0;
      const std::string_view piece =
          pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(random)];
      document.Replace(at, removed, piece);
      // Now and then two edits before the list is asked again, as within one write.
      if (edit % 5 == 4) {
        continue;
      }
      UpdateBlocks(document, updated);
      ASSERT_TRUE(updated.Describes(document));
      ASSERT_EQ(updated.All(), Blocks(document).All())
          << "edit " << edit << " at " << at << " removing " << removed << " inserting " << piece;
    }
  }
}

}  // namespace
}  // namespace qm
