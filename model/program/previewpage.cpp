// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/previewpage.h"
#include "model/asciicase.h"

#include <algorithm>

#include "model/listrule.h"
#include "model/program/markupscan.h"

namespace qm {

namespace {

constexpr std::string_view kLinkNames = "a:hover,a:visited,a:link,a:active,a:focus";

// The style elements a browser lists before end.
int32_t StyleElementsBefore(std::string_view page, size_t end) {
  int32_t count = 0;
  ForEachMarkupTag(page, end, [&](size_t at) { count += OpensTag(page, at, "<style") ? 1 : 0; });
  return count;
}

std::string WithoutFirst(std::string_view text, char c) {
  std::string result(text);
  if (const size_t at = result.find(c); at != std::string::npos) {
    result.erase(at, 1);
  }
  return result;
}

// Text that stays text in an element and one value in a quoted attribute, whatever it holds.
std::string Escaped(std::string_view text) {
  std::string result;
  for (const char c : text) {
    switch (c) {
      case '&':
        result += "&amp;";
        break;
      case '<':
        result += "&lt;";
        break;
      case '>':
        result += "&gt;";
        break;
      case '"':
        result += "&quot;";
        break;
      case '\'':
        result += "&#39;";
        break;
      default:
        result += c;
    }
  }
  return result;
}

// Whether "<" name ">" is one tag of that name and nothing else: a tag opens at an ASCII letter,
// and its name ends at a blank (none in these names), "/" or ">", after which attributes or
// markup would follow.
bool IsPlainTagName(std::string_view name) {
  const char first = AsciiLower(name.empty() ? '\0' : name[0]);
  return first >= 'a' && first <= 'z' && name.find_first_of("/>") == std::string_view::npos;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

size_t StylePlace(std::string_view page) {
  size_t at = FindNoCase(page, "</head>");
  if (at == std::string_view::npos) {
    at = FindOpeningTag(page, "<body");
  }
  return at == std::string_view::npos ? 0 : at;
}

std::string StyleContent(std::string_view sheet) {
  std::string content;
  content.reserve(sheet.size());
  for (size_t i = 0; i < sheet.size(); ++i) {
    content.push_back(sheet[i]);
    if (sheet[i] == '<' && i + 1 < sheet.size() && sheet[i + 1] == '/' &&
        !(i + 2 < sheet.size() && sheet[i + 2] == '*')) {
      content.push_back('\\');
    }
  }
  return content;
}

std::vector<std::string> PageLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.emplace_back(bytes.substr(start, i - start));
      i += bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size()) {
    lines.emplace_back(bytes.substr(start));
  }
  return lines;
}

std::string JoinPageLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SampleLines(const TItmRecord& block) {
  std::vector<std::string> lines;
  // At-rule text ("@media (max-width: 600px)") names no element, class or ID, whatever it holds.
  if (block.Name.starts_with('@')) {
    return lines;
  }
  if (block.Kind == "Element") {
    for (const std::string& name : SplitList(AsciiLowerCase(block.Name), ',')) {
      // An empty name (from "h1,,h2" or a trailing comma) names no element.
      if (name.empty()) {
        continue;
      }
      const std::string text = Escaped(name);
      if (kLinkNames.find(name) != std::string_view::npos) {
        lines.push_back("<a href=\"http://\">" + text + "</a><br>");
      } else if (IsPlainTagName(name)) {
        lines.push_back("<" + name + ">" + text + " [Element]</" + name + "><br>");
      } else {
        // No tag can be made of it; the name is still shown.
        lines.push_back("<span>" + text + " [Element]</span><br>");
      }
    }
  } else if (block.Kind == "Class") {
    lines.push_back("<div class=\"" + Escaped(WithoutFirst(block.Name, '.')) + "\">" +
                    Escaped(block.Name) + " [Class]</div><br>");
  } else if (block.Kind == "ID") {
    lines.push_back("<div ID=\"" + Escaped(WithoutFirst(block.Name, '#')) + "\">" +
                    Escaped(block.Name) + " [ID]</div><br>");
  }
  return lines;
}

std::vector<std::string> InsertSampleLines(std::vector<std::string> lines, const TModList& blocks) {
  std::vector<std::string> samples;
  for (const TItmRecord& block : blocks.All()) {
    for (std::string& line : SampleLines(block)) {
      samples.push_back(std::move(line));
    }
  }
  const auto marker = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return EqualIgnoringAsciiCase(line, PreviewMarker);
  });
  if (marker != lines.end()) {
    lines.insert(marker, samples.begin(), samples.end());
    return lines;
  }
  for (auto line = lines.begin(); line != lines.end(); ++line) {
    const size_t at = FindNoCase(*line, "</body>");
    if (at == std::string::npos) {
      continue;
    }
    const std::string_view text = *line;
    if (IsBlank(text.substr(0, at))) {
      lines.insert(line, samples.begin(), samples.end());
    } else {
      // The body ends inside a line: its start stays above the samples, the rest goes below.
      std::string rest(text.substr(at));
      line->resize(at);
      const auto next = lines.insert(line + 1, samples.begin(), samples.end());
      lines.insert(next + static_cast<std::ptrdiff_t>(samples.size()), std::move(rest));
    }
    return lines;
  }
  lines.insert(lines.end(), samples.begin(), samples.end());
  return lines;
}

std::string AddStyleSheet(std::string_view page, std::string_view sheet,
                          std::string_view baseHref) {
  const size_t styleAt = StylePlace(page);
  std::string style = "<style type=\"text/css\" >\r\n";
  style += StyleContent(sheet);
  style += "\r\n</style>\r\n";

  // The base address must come before anything in the head that names a file, so it follows
  // the opening head tag; a page without one gets it with the style element.
  size_t baseAt = styleAt;
  std::string base;
  if (!baseHref.empty() && FindOpeningTag(page, "<base") == std::string_view::npos) {
    base = "<base href=\"" + Escaped(baseHref) + "\">";
    const size_t head = FindOpeningTag(page, "<head");
    const size_t headEnd = head == std::string_view::npos ? head : page.find('>', head);
    if (headEnd != std::string_view::npos && headEnd < styleAt) {
      baseAt = headEnd + 1;
      base.insert(0, "\r\n");
    } else {
      base += "\r\n";
    }
  }
  std::string result(page.substr(0, baseAt));
  result += base;
  result += page.substr(baseAt, styleAt - baseAt);
  result += style;
  result += page.substr(styleAt);
  return result;
}

std::string BuildPreviewPage(std::vector<std::string> lines, const TModList* blocks,
                             std::string_view sheet, std::string_view baseHref,
                             int32_t* stylesBefore) {
  if (blocks != nullptr) {
    lines = InsertSampleLines(std::move(lines), *blocks);
  }
  const std::string page = JoinPageLines(lines);
  if (stylesBefore != nullptr) {
    *stylesBefore = StyleElementsBefore(page, StylePlace(page));
  }
  return AddStyleSheet(page, sheet, baseHref);
}

int PreviewFileSlot(const std::vector<std::string>& stored, std::string_view path) {
  const bool known = std::any_of(stored.begin(), stored.end(), [path](const std::string& entry) {
    return EqualIgnoringAsciiCase(entry, path);
  });
  return known ? 0 : static_cast<int>(stored.size()) + 1;
}

}  // namespace qm
