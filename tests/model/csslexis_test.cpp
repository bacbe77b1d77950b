// SPDX-License-Identifier: GPL-3.0-or-later
// One table of CSS's lexical cases, each a value in a small sheet, read by csslexis.h and then
// by every reader that tells strings and comments from code: all must end each string, comment
// and url() at the same place, each after its own policy for one left open.
#include "model/text/csslexis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/assist/completion.h"
#include "model/check/textcheck.h"
#include "model/sheet/declarations.h"
#include "model/sheet/editcommands.h"
#include "model/sheet/rulebody.h"
#include "model/sheet/sheetlayout.h"
#include "model/text/codescan.h"
#include "model/text/cssscanner.h"
#include "model/text/memorydocument.h"

namespace qm {
namespace {

using lexis::TRunEnd;

struct LexisCase {
  const char* name;
  std::string value;
  // One letter per byte of the value, as csslexis.h reads it: "." code, "e" a byte a backslash
  // escapes, "s" and "c" a closed string and comment, "u" an unquoted url()'s body and ")";
  // capitals for one left open (at its newline, or for a comment at the text's end).
  std::string roles;
  bool refused;  // by ValueRefusal
  // Why the colouring's string or comment tokens end elsewhere; empty when they do not.
  const char* colouringDiffers = "";
};

std::string SheetOf(const LexisCase& c) {
  return "a { x: " + c.value + "; y: zz }\nb { c: d }";
}
constexpr int32_t kValueAt = 7;

// What a reader does with a string or url() left open at its newline.
enum class TOpenRun {
  ToNewline,   // reads it as a string to there
  PlainQuote,  // reads its quote or "(" as a plain byte and goes on right after it
};

struct TPolicy {
  TOpenRun open = TOpenRun::ToNewline;
  bool readsUrl = true;  // takes an unquoted url() as one run
};

struct TRun {
  int32_t start = 0;
  TRunEnd end;
  char kind = 's';  // 's', 'c' or 'u'
};

struct TReading {
  std::vector<TRun> runs;
  std::string roles;  // as in LexisCase, for the whole text
};

// The text read with the header's functions after policy.
TReading Read(std::string_view text, TPolicy policy) {
  TReading reading;
  const auto n = static_cast<int32_t>(text.size());
  reading.roles.assign(text.size(), '.');
  const auto mark = [&](int32_t from, const TRunEnd& end, char kind) {
    const char role = end.Closed ? kind : static_cast<char>(kind - 'a' + 'A');
    std::fill(reading.roles.begin() + from, reading.roles.begin() + end.End, role);
    reading.runs.push_back({from, end, kind});
  };
  for (int32_t i = 0; i < n;) {
    const char c = text[static_cast<size_t>(i)];
    if (c == '/' && i + 1 < n && text[static_cast<size_t>(i) + 1] == '*') {
      const TRunEnd end = lexis::CommentEnd(text, i);
      mark(i, end, 'c');
      i = end.End;
      continue;
    }
    TRunEnd end;
    int32_t from = i;
    char kind = 's';
    if (c == '"' || c == '\'') {
      end = lexis::StringEnd(text, i);
    } else if (const int32_t body =
                   c == '(' && policy.readsUrl ? lexis::UnquotedUrlBody(text, i) : -1;
               body >= 0) {
      end = lexis::UrlEnd(text, body);
      from = i + 1;
      kind = 'u';
    } else {
      if (lexis::StartsEscape(text, i)) {
        reading.roles[static_cast<size_t>(i) + 1] = 'e';
      }
      i = lexis::EscapeEnd(text, i);
      continue;
    }
    if (!end.Closed && policy.open == TOpenRun::PlainQuote) {
      ++i;
      continue;
    }
    mark(from, end, kind);
    i = end.End;
  }
  return reading;
}

bool Inside(const TRun& run, int32_t index) {
  return run.start < index && index < run.end.End;
}

class LexisTable : public testing::TestWithParam<LexisCase> {};

TEST_P(LexisTable, TheHeaderEndsEachRunWhereTheRowSays) {
  const LexisCase& c = GetParam();
  const std::string sheet = SheetOf(c);
  ASSERT_EQ(c.roles.size(), c.value.size());
  EXPECT_EQ(Read(sheet, {}).roles.substr(kValueAt, c.value.size()), c.roles);
}

// The block list: its braces, semicolons and NUL bytes are those no run holds, a quote or url(
// left open being a plain byte; a comment's end is the "/" of its "*/".
TEST_P(LexisTable, TheBlockListStopsOnlyAtCode) {
  const std::string sheet = SheetOf(GetParam());
  const TReading reading = Read(sheet, {TOpenRun::PlainQuote, true});
  std::vector<std::pair<int32_t, char>> expected;
  for (size_t i = 0; i < sheet.size(); ++i) {
    const bool code = reading.roles[i] == '.';
    if (code && std::string_view("{};", 4).find(sheet[i]) != std::string_view::npos) {
      expected.emplace_back(static_cast<int32_t>(i), sheet[i]);
    } else if ((code && sheet[i] == '/' && i > 0 && sheet[i - 1] == '*') ||
               (reading.roles[i] == 'c' &&
                (i + 1 == sheet.size() || reading.roles[i + 1] != 'c'))) {
      expected.emplace_back(static_cast<int32_t>(i), '/');
    }
  }
  std::vector<std::pair<int32_t, char>> found;
  TCodeScanner scanner(sheet);
  TCodeStop stop;
  while (scanner.Next(stop)) {
    constexpr char kBytes[] = {'{', '}', ';', '\0', '/'};
    found.emplace_back(stop.Index, kBytes[static_cast<int>(stop.Byte)]);
  }
  EXPECT_EQ(found, expected) << reading.roles;
  EXPECT_EQ(scanner.EndedInComment(), reading.roles.back() == 'C');
}

// The rule-body reading of the first rule, as the block list closes it: its declarations end at
// the semicolons outside runs and closed brackets (it reads no url(), and takes a quote or a
// comment left open inside the braces as a plain byte), and no value cuts a run in two.
TEST_P(LexisTable, TheRuleBodyEndsDeclarationsAtCodeSemicolons) {
  const std::string sheet = SheetOf(GetParam());
  const int32_t close = TBracePairs(sheet).Partner(2);
  if (close < 0) {
    EXPECT_EQ(Read(sheet, {}).roles.back(), 'C') << "only a comment left open swallows the rule";
    return;
  }
  const std::string_view braces = std::string_view(sheet).substr(0, static_cast<size_t>(close));
  const TReading reading = Read(braces, {TOpenRun::PlainQuote, false});
  // A bracket left open is a plain byte too, so that a value being typed cannot swallow the
  // declarations after it.
  const auto code = [&](int32_t i) {
    const char role = reading.roles[static_cast<size_t>(i)];
    return role == '.' || role == 'C';
  };
  std::vector<int32_t> matched(static_cast<size_t>(close), 0);
  std::vector<int32_t> open;
  for (int32_t i = 3; i < close; ++i) {
    const char c = sheet[static_cast<size_t>(i)];
    if (code(i) && (c == '(' || c == '[')) {
      open.push_back(i);
    } else if (code(i) && (c == ')' || c == ']') && !open.empty()) {
      matched[static_cast<size_t>(open.back())] = 1;
      matched[static_cast<size_t>(i)] = -1;
      open.pop_back();
    }
  }
  std::vector<int32_t> expected;
  int32_t depth = 0;
  for (int32_t i = 3; i < close; ++i) {
    depth += matched[static_cast<size_t>(i)];
    if (code(i) && sheet[static_cast<size_t>(i)] == ';' && depth == 0) {
      expected.push_back(i);
    }
  }
  std::vector<int32_t> found;
  for (const TDeclarationItem& item : ParseRuleBody(sheet, 2, close).Declarations) {
    if (item.HasSemicolon) {
      found.push_back(item.End - 1);
    }
    for (const TRun& run : reading.runs) {
      if (run.end.Closed) {
        EXPECT_EQ(Inside(run, item.ValueStart), false) << run.start;
        EXPECT_EQ(Inside(run, item.ValueEnd), false) << run.start;
      }
    }
  }
  EXPECT_EQ(found, expected) << reading.roles;
}

// The text check reports every string left open at its quote, and a comment left open.
TEST_P(LexisTable, TheCheckReportsWhatIsLeftOpen) {
  const std::string sheet = SheetOf(GetParam());
  const TReading reading = Read(sheet, {});
  std::vector<int32_t> expected;
  for (const TRun& run : reading.runs) {
    if (run.kind == 's' && !run.end.Closed) {
      expected.push_back(run.start);
    }
  }
  TTextCheck check;
  check.Full(sheet);
  std::vector<int32_t> found;
  for (const TProblemSpan& problem : check.Found()) {
    found.push_back(problem.Start);
  }
  EXPECT_EQ(found, expected) << reading.roles;
  EXPECT_EQ(check.OpenComment().has_value(), reading.roles.back() == 'C');
}

TEST_P(LexisTable, TheValueRefusalRefusesWhatWouldSpillOver) {
  const LexisCase& c = GetParam();
  EXPECT_EQ(ValueRefusal(c.value).has_value(), c.refused);
}

// Completion offers nothing with the caret inside a string or comment (it reads no url()).
TEST_P(LexisTable, CompletionOffersNothingInsideARun) {
  const std::string sheet = SheetOf(GetParam());
  const TMemoryDocument document(sheet);
  TModList blocks;
  RebuildBlocks(document, blocks);
  for (const TRun& run : Read(sheet, {TOpenRun::ToNewline, false}).runs) {
    // In a comment from past its "/*"; up to an open run's newline, where the caret still
    // stands in it.
    const int32_t from = run.start + (run.kind == 'c' ? 2 : 1);
    const int32_t to = run.end.Closed ? run.end.End - 1 : run.end.End;
    for (int32_t caret = from; caret <= to; ++caret) {
      EXPECT_EQ(CompletionContextAt(document, blocks, caret).Kind, TCompletionKind::None) << caret;
    }
  }
}

// Format and Minify keep every string, comment and closed url() byte for byte.
TEST_P(LexisTable, TheLayoutKeepsRunsAsTheyAre) {
  const std::string sheet = SheetOf(GetParam());
  const TReading reading = Read(sheet, {});
  for (const std::string& laid : {FormatSheet(sheet), MinifySheet(sheet)}) {
    size_t at = 0;
    for (const TRun& run : reading.runs) {
      if (run.kind == 'u' && !run.end.Closed) {
        continue;
      }
      const std::string_view bytes = std::string_view(sheet).substr(
          static_cast<size_t>(run.start), static_cast<size_t>(run.end.End - run.start));
      at = laid.find(bytes, at);
      ASSERT_NE(at, std::string::npos) << bytes << "\n in \n" << laid;
      at += bytes.size();
    }
  }
}

// Comment puts in nothing with the caret strictly inside a string, comment, url() (from its
// name on, to where a browser ends it) or escape, at the end of a run left open, or right after a
// backslash, which would escape the "/" put there; and only there.
TEST_P(LexisTable, CommentLeavesRunsWhole) {
  const std::string sheet = SheetOf(GetParam());
  const TMemoryDocument document(sheet);
  const TReading reading = Read(sheet, {});
  // A url()'s run holds its name, and so does the string of a quoted one: a comment between
  // url( and the string would start an unquoted url().
  const auto runStart = [&sheet](const TRun& run) {
    if (run.kind == 'u') {
      return run.start - 4;
    }
    int32_t paren = run.start - 1;
    while (run.kind == 's' && paren > 0 && (sheet[static_cast<size_t>(paren)] == ' ')) {
      --paren;
    }
    return paren >= 3 && sheet.compare(static_cast<size_t>(paren) - 3, 4, "url(") == 0 ? paren - 3
                                                                                       : run.start;
  };
  const auto holds = [&](const TRun& run, int32_t caret) {
    const int32_t start = runStart(run);
    const TRunEnd end = run.kind == 'u' ? lexis::UrlTokenEnd(sheet, run.start) : run.end;
    return (start < caret && caret < end.End) || (!end.Closed && caret == end.End);
  };
  for (int32_t caret = 0; caret <= static_cast<int32_t>(sheet.size()); ++caret) {
    const bool inside = (caret > 0 && sheet[static_cast<size_t>(caret) - 1] == '\\') ||
                        std::any_of(reading.runs.begin(), reading.runs.end(),
                                    [&](const TRun& run) { return holds(run, caret); });
    EXPECT_EQ(PlanComment(document, caret, caret).Batch.Empty(), inside) << caret;
  }
}

// The colouring reads the editor's lines one by one and gives a string token only where a value
// starts with a double quote: a string or comment token it gives starts where the header's run
// does, and ends there too unless the row says why not.
TEST_P(LexisTable, TheColouringAgreesOrTheRowSaysWhy) {
  const LexisCase& c = GetParam();
  const std::string sheet = SheetOf(c);
  const TMemoryDocument document(sheet);
  const TReading reading = Read(sheet, {TOpenRun::ToNewline, false});
  bool differs = false;
  TScanState state;
  for (int32_t line = 0; line < document.LineCount(); ++line) {
    const int32_t start = document.LineStart(line);
    const int32_t end = line + 1 < document.LineCount() ? document.LineStart(line + 1)
                                                        : static_cast<int32_t>(sheet.size());
    std::vector<TToken> tokens;
    const bool inComment = state.Range == TScanRange::Comment;
    state = ScanLine(std::string_view(sheet).substr(static_cast<size_t>(start),
                                                    static_cast<size_t>(end - start)),
                     state, tokens);
    for (const TToken& token : tokens) {
      if (token.Kind != TTokenKind::String && token.Kind != TTokenKind::Comment) {
        continue;
      }
      const int32_t from = start + token.Start;
      const int32_t to = from + token.Length;
      const char kind = token.Kind == TTokenKind::String ? 's' : 'c';
      const auto run = std::find_if(reading.runs.begin(), reading.runs.end(), [&](const TRun& r) {
        return r.kind == kind && r.start <= from && from < std::max(r.end.End, r.start + 1);
      });
      ASSERT_NE(run, reading.runs.end()) << "no run holds the token at " << from;
      const bool sameStart = run->start == from || (kind == 'c' && inComment && token.Start == 0);
      const bool sameEnd = to == run->end.End || (kind == 'c' && to == end && run->end.End > end);
      differs = differs || !sameStart || !sameEnd;
    }
  }
  EXPECT_EQ(differs, *c.colouringDiffers != '\0') << c.colouringDiffers;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LexisTable,
    testing::Values(
        LexisCase{"form_feed_ends_a_string", "\"x\f}\"", "SS..S", true,
                  "the editor's line goes on past a form feed"},
        LexisCase{"cr_ends_a_string", "\"x\r}\"", "SS..S", true},
        LexisCase{"lf_ends_a_string", "\"x\n}\"", "SS..S", true},
        LexisCase{"cr_lf_ends_a_string_once", "\"x\r\n}\"", "SS...S", true},
        LexisCase{"escaped_lf_continues_a_string", "\"x\\\ny\"", "ssssss", false,
                  "the colouring reads no escapes"},
        LexisCase{"escaped_cr_lf_continues_a_string", "\"x\\\r\ny\"", "sssssss", false,
                  "the colouring reads no escapes"},
        LexisCase{"hex_escape_takes_the_newline_after_it", "\"x\\31\ny\"", "ssssssss", false,
                  "the colouring reads no escapes"},
        LexisCase{"escaped_form_feed_continues_a_string", "\"x\\\fy\"", "ssssss", false},
        LexisCase{"comment_end_in_a_string_and_quotes_in_a_comment", "\"*/\" /* \"x\" */",
                  "ssss.ccccccccc", false},
        LexisCase{"braces_and_semicolon_in_strings", "'{;}' \"}\"", "sssss.sss", false},
        LexisCase{"quotes_braces_and_semicolon_in_url", "url(a\"b{;}'c)", "....uuuuuuuuu", true},
        LexisCase{"url_left_open", "url(a;b:c", "....UUUUU", true},
        LexisCase{"quoted_url_is_a_string", "url( \"a)b\" )", ".....sssss..", false},
        LexisCase{"comment_left_open_at_the_end", "red /* open", "....CCCCCCC", true},
        LexisCase{"nul_bytes", std::string("\"a\0b\" \0", 7), "sssss..", false,
                  "the colouring ends a line at a NUL byte"},
        LexisCase{"escaped_quotes", "\"it\\\"s\" \\\"x", "sssssss..e.", false,
                  "the colouring reads no escapes"},
        LexisCase{"escaped_brace", "x\\}", "..e", false},
        LexisCase{"backslash_before_a_newline_escapes_nothing", "a\\\nb", "....", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qm
