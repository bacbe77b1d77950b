// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/catalogue/shorthandparts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "model/asciicase.h"
#include "model/listrule.h"

namespace qm {

namespace {

struct TWord {
  size_t Start = 0;
  size_t End = 0;
  bool AfterSlash = false;
};

bool OpensComment(std::string_view value, size_t i) {
  return value[i] == '/' && i + 1 < value.size() && value[i + 1] == '*';
}

// Just past the comment opening at i, or the value's end when it is left open.
size_t PastComment(std::string_view value, size_t i) {
  const size_t close = value.find("*/", i + 2);
  return close == std::string_view::npos ? value.size() : close + 2;
}

// The words outside quotes and brackets; "/" between words is no word but marks the next one.
// A comment separates words and is none itself.
std::vector<TWord> Words(std::string_view value) {
  std::vector<TWord> words;
  bool slash = false;
  size_t i = 0;
  while (i < value.size()) {
    if (IsBlankOrControl(value[i])) {
      ++i;
      continue;
    }
    if (OpensComment(value, i)) {
      i = PastComment(value, i);
      continue;
    }
    if (value[i] == '/') {
      slash = true;
      ++i;
      continue;
    }
    TWord word{i, i, slash};
    slash = false;
    int depth = 0;
    char quote = 0;
    for (; i < value.size(); ++i) {
      const char c = value[i];
      if (quote != 0) {
        if (c == '\\') {
          ++i;
        } else if (c == quote) {
          quote = 0;
        }
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '(' || c == '[') {
        ++depth;
      } else if ((c == ')' || c == ']') && depth > 0) {
        --depth;
      } else if (OpensComment(value, i)) {
        if (depth == 0) {
          break;
        }
        i = PastComment(value, i) - 1;
      } else if (depth == 0 && (IsBlankOrControl(c) || c == '/')) {
        break;
      }
    }
    word.End = std::min(i, value.size());
    words.push_back(word);
  }
  return words;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A number, and then a unit or a percent sign, or a bare number.
bool IsNumberWord(std::string_view lower, bool& percent, bool& bare) {
  size_t i = 0;
  if (i < lower.size() && (lower[i] == '+' || lower[i] == '-')) {
    ++i;
  }
  const size_t digits = i;
  while (i < lower.size() && ((lower[i] >= '0' && lower[i] <= '9') || lower[i] == '.')) {
    ++i;
  }
  if (i == digits) {
    return false;
  }
  percent = i + 1 == lower.size() && lower[i] == '%';
  bare = i == lower.size();
  for (size_t k = i; k < lower.size() && !percent; ++k) {
    if (lower[k] < 'a' || lower[k] > 'z') {
      return false;
    }
  }
  return true;
}

class TParts {
 public:
  explicit TParts(const std::vector<TShorthandPart>& parts) {
    for (const TShorthandPart& part : parts) {
      Lists.push_back(SplitList(part.EditList, '|'));
      for (const std::string& entry : Lists.back()) {
        if (!entry.empty() && entry.front() != '<') {
          Keywords.push_back(AsciiLowerCase(entry));
        }
      }
    }
  }

  bool Has(size_t part, std::string_view entry) const {
    const auto& list = Lists[part];
    return std::find(list.begin(), list.end(), entry) != list.end();
  }

  bool IsFont(size_t part) const { return Has(part, "<font>"); }

  bool Accepts(size_t part, std::string_view word) const {
    const std::string lower = AsciiLowerCase(word);
    for (const std::string& entry : Lists[part]) {
      if (!entry.empty() && entry.front() != '<' && AsciiLowerCase(entry) == lower) {
        return true;
      }
    }
    bool percent = false;
    bool bare = false;
    const bool number = IsNumberWord(lower, percent, bare);
    const bool keyword = std::find(Keywords.begin(), Keywords.end(), lower) != Keywords.end();
    const bool name = !keyword && !number && !lower.empty() &&
                      ((lower.front() >= 'a' && lower.front() <= 'z') || lower.front() == '-') &&
                      lower.find('(') == std::string::npos;
    if (Has(part, "<url>") && StartsWith(lower, "url(")) {
      return true;
    }
    if (Has(part, "<color>") &&
        (StartsWith(lower, "#") || StartsWith(lower, "rgb") || StartsWith(lower, "hsl") || name)) {
      return true;
    }
    if (Has(part, "<length>") &&
        ((number && !percent && (!bare || lower == "0")) || StartsWith(lower, "calc("))) {
      return true;
    }
    if (Has(part, "<percentage>") && number && percent) {
      return true;
    }
    // A line height may be a bare number.
    if (Has(part, "<length>") && Has(part, "<percentage>") && Has(part, "normal") && bare) {
      return true;
    }
    return IsFont(part) && (name || lower.front() == '"' || lower.front() == '\'');
  }

 private:
  std::vector<std::vector<std::string>> Lists;
  std::vector<std::string> Keywords;
};

// Whether name is side's property or a part of it: "top", "margin-top", "border-top-width".
bool NamesSide(std::string_view name, std::string_view side) {
  for (size_t at = name.find(side); at != std::string_view::npos; at = name.find(side, at + 1)) {
    const size_t after = at + side.size();
    if ((at == 0 || name[at - 1] == '-') && (after == name.size() || name[after] == '-')) {
      return true;
    }
  }
  return false;
}

// Where the parts of the four sides of a box stand, in the order top, right, bottom, left; none
// unless each part names exactly one side. The parts may come in any order: the current CSS
// catalogue lists them alphabetically. Corners ("border-top-left-radius") name two sides.
std::optional<std::array<size_t, 4>> BoxSides(const std::vector<TShorthandPart>& parts) {
  static constexpr std::string_view kSides[] = {"top", "right", "bottom", "left"};
  if (parts.size() != 4) {
    return std::nullopt;
  }
  std::array<size_t, 4> at{};
  std::array<int, 4> named{};
  for (size_t k = 0; k < 4; ++k) {
    for (size_t j = 0; j < 4; ++j) {
      if (NamesSide(parts[j].Name, kSides[k])) {
        at[k] = j;
        ++named[j];
      }
    }
  }
  if (std::any_of(named.begin(), named.end(), [](int n) { return n != 1; })) {
    return std::nullopt;
  }
  return at;
}

}  // namespace

std::vector<TShorthandPart> ShorthandPartsOf(const TInspectorCollection& items,
                                             const TInspectorItem& shorthand) {
  std::vector<TShorthandPart> parts;
  for (int32_t k = 1; k <= items.ChildCount(shorthand); ++k) {
    const TInspectorItem& part = items.Items(shorthand.Index() + k);
    std::string list = part.EditList;
    // A part that is a shorthand of sides has no list of its own: its first side's serves.
    if (const int32_t own = items.IndexOfTag(part.Caption);
        list.empty() && own >= 0 && items.ChildCount(items.Items(own)) > 0) {
      list = items.Items(own + 1).EditList;
    }
    parts.push_back({part.Caption, std::move(list)});
  }
  return parts;
}

std::vector<std::string> SpreadShorthand(std::string_view value,
                                         const std::vector<TShorthandPart>& parts) {
  std::vector<std::string> spread(parts.size());
  const std::vector<TWord> words = Words(value);
  const auto text = [&](const TWord& word) {
    return std::string(value.substr(word.Start, word.End - word.Start));
  };
  if (const std::optional<std::array<size_t, 4>> sides = BoxSides(parts)) {
    // Which word each side (top, right, bottom, left) takes for one, two, three and four words.
    static constexpr int kSideWord[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    if (!words.empty()) {
      const size_t n = std::min<size_t>(words.size(), 4) - 1;
      for (size_t k = 0; k < 4; ++k) {
        spread[(*sides)[k]] = text(words[static_cast<size_t>(kSideWord[n][k])]);
      }
    }
    return spread;
  }
  const TParts accepted(parts);
  size_t previous = parts.size();
  for (const TWord& word : words) {
    const std::string w = text(word);
    size_t to = parts.size();
    if (word.AfterSlash && previous + 1 < parts.size()) {
      to = previous + 1;
    }
    for (size_t k = 0; to == parts.size() && k < parts.size(); ++k) {
      if (spread[k].empty() && accepted.Accepts(k, w)) {
        to = k;
      }
    }
    if (to == parts.size() && previous < parts.size() && accepted.Accepts(previous, w)) {
      to = previous;
    }
    if (to == parts.size()) {
      previous = parts.size();
      continue;
    }
    if (accepted.IsFont(to)) {
      std::string_view rest = value.substr(word.Start);
      while (!rest.empty() && IsBlankOrControl(rest.back())) {
        rest.remove_suffix(1);
      }
      spread[to] = std::string(rest);
      break;
    }
    spread[to] += spread[to].empty() ? w : " " + w;
    previous = to;
  }
  return spread;
}

}  // namespace qm
