// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textmatches.h"

#include <algorithm>

#include "model/text/textscan.h"

namespace qm {
namespace {

constexpr size_t kLead = 60;
constexpr size_t kShown = 200;

char Folded(char c, bool matchCase) {
  return !matchCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, size_t at, std::string_view find, bool matchCase) {
  for (size_t i = 0; i < find.size(); ++i) {
    if (Folded(text[at + i], matchCase) != Folded(find[i], matchCase)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<TTextMatch> FindAllMatches(std::string_view text, std::string_view find, bool matchCase,
                                       bool wholeWord) {
  std::vector<TTextMatch> matches;
  if (find.empty() || find.size() > text.size()) {
    return matches;
  }
  int32_t line = 1;
  size_t lineStart = 0;
  // A long (minified) line is shown from a little before the match, and only so far, so that
  // many matches on one line cost no more than the line.
  const auto lineText = [&text](size_t lineStart, size_t match) {
    const size_t start = std::max(lineStart, match > kLead ? match - kLead : 0);
    size_t end = start;
    while (end < text.size() && end - start < kShown && text[end] != '\r' && text[end] != '\n') {
      ++end;
    }
    return std::string(text.substr(start, end - start));
  };
  for (size_t i = 0; i + find.size() <= text.size();) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
      ++line;
      lineStart = i;
      continue;
    }
    const size_t end = i + find.size();
    if (MatchesAt(text, i, find, matchCase) &&
        (!wholeWord || ((i == 0 || WordSeparators.Contains(text[i - 1])) &&
                        (end >= text.size() || WordSeparators.Contains(text[end]))))) {
      matches.push_back({static_cast<int32_t>(i), static_cast<int32_t>(end), line,
                         static_cast<int32_t>(i - lineStart) + 1, lineText(lineStart, i)});
      // A match that runs over line breaks counts them.
      for (size_t j = i; j < end; ++j) {
        if (text[j] == '\n' || (text[j] == '\r' && (j + 1 >= text.size() || text[j + 1] != '\n'))) {
          ++line;
          lineStart = j + 1;
        }
      }
      i = end;
      continue;
    }
    ++i;
  }
  return matches;
}

std::string ReplaceMatches(std::string_view text, const std::vector<TTextMatch>& matches,
                           std::string_view replacement) {
  std::string replaced;
  replaced.reserve(text.size());
  size_t at = 0;
  for (const TTextMatch& match : matches) {
    replaced.append(text.substr(at, static_cast<size_t>(match.Start) - at));
    replaced.append(replacement);
    at = static_cast<size_t>(match.End);
  }
  replaced.append(text.substr(at));
  return replaced;
}

}  // namespace qm
