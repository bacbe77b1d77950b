// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/livepage.h"

#include "model/asciicase.h"

#include <algorithm>
#include <utility>
#include "model/program/markupscan.h"
#include "model/program/previewpage.h"

namespace qm {

namespace {

bool IsHtmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  const char lower = AsciiLower(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::string Decoded(std::string_view text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
        HexDigit(text[i + 2]) >= 0) {
      result += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      result += text[i];
    }
  }
  return result;
}

// The attributes of the tag starting at at, names in lower case, values as written but with
// "&amp;" decoded; end is set after the tag's ">" (or the page's end).
struct TAttribute {
  std::string Name;
  std::string Value;
};
std::vector<TAttribute> Attributes(std::string_view page, size_t at, size_t& end) {
  std::vector<TAttribute> attributes;
  size_t i = at + 1;
  while (i < page.size() && !IsHtmlSpace(page[i]) && page[i] != '>' && page[i] != '/') {
    ++i;
  }
  while (i < page.size() && page[i] != '>') {
    if (IsHtmlSpace(page[i]) || page[i] == '/') {
      ++i;
      continue;
    }
    TAttribute attribute;
    while (i < page.size() && !IsHtmlSpace(page[i]) && page[i] != '>' && page[i] != '/' &&
           page[i] != '=') {
      attribute.Name += AsciiLower(page[i++]);
    }
    while (i < page.size() && IsHtmlSpace(page[i])) {
      ++i;
    }
    if (i < page.size() && page[i] == '=') {
      ++i;
      while (i < page.size() && IsHtmlSpace(page[i])) {
        ++i;
      }
      std::string_view value;
      if (i < page.size() && (page[i] == '"' || page[i] == '\'')) {
        const size_t close = page.find(page[i], i + 1);
        const size_t stop = close == std::string_view::npos ? page.size() : close;
        value = page.substr(i + 1, stop - i - 1);
        i = stop == page.size() ? stop : stop + 1;
      } else {
        const size_t start = i;
        while (i < page.size() && !IsHtmlSpace(page[i]) && page[i] != '>') {
          ++i;
        }
        value = page.substr(start, i - start);
      }
      for (size_t k = 0; k < value.size(); ++k) {
        attribute.Value += value[k];
        if (value.substr(k, 5) == "&amp;") {
          k += 4;
        }
      }
    }
    if (!attribute.Name.empty()) {
      attributes.push_back(std::move(attribute));
    }
  }
  end = i < page.size() ? i + 1 : page.size();
  return attributes;
}

bool HasWord(std::string_view list, std::string_view word) {
  size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && IsHtmlSpace(list[i])) {
      ++i;
    }
    const size_t start = i;
    while (i < list.size() && !IsHtmlSpace(list[i])) {
      ++i;
    }
    if (i > start && EqualIgnoringAsciiCase(list.substr(start, i - start), word)) {
      return true;
    }
  }
  return false;
}

std::string QuotedAttribute(std::string_view value) {
  std::string result = "\"";
  for (const char c : value) {
    if (c == '"') {
      result += "&quot;";
    } else if (c == '&') {
      result += "&amp;";
    } else if (c == '<') {
      result += "&lt;";
    } else {
      result += c;
    }
  }
  return result + "\"";
}

}  // namespace

std::string LinkedFile(std::string_view href) {
  // A browser drops the blanks around an address and the tabs and line breaks inside it.
  std::string address;
  for (const char c : Trimmed(href)) {
    if (c != '\t' && c != '\n' && c != '\r') {
      address += c == '\\' ? '/' : c;
    }
  }
  address.resize(std::min(address.find_first_of("?#"), address.size()));
  const size_t colon = address.find(':');
  if (address.empty() || address[0] == '/' ||
      (colon != std::string::npos && colon < address.find('/'))) {
    return {};
  }
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= address.size()) {
    size_t stop = address.find('/', start);
    stop = stop == std::string::npos ? address.size() : stop;
    const std::string name = Decoded(std::string_view(address).substr(start, stop - start));
    if (name == "..") {
      if (!names.empty() && names.back() != "..") {
        names.pop_back();
      } else {
        names.push_back(name);
      }
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    start = stop + 1;
  }
  // A folder is no file.
  if (names.empty() || names.back() == ".." || address.back() == '/') {
    return {};
  }
  std::string file;
  for (const std::string& name : names) {
    file += (file.empty() ? "" : "/") + name;
  }
  return file;
}

std::vector<TSheetLink> SheetLinks(std::string_view page) {
  std::vector<TSheetLink> links;
  ForEachMarkupTag(page, page.size(), [&](size_t at) {
    if (!OpensTag(page, at, "<link")) {
      return;
    }
    TSheetLink link;
    link.Start = at;
    bool sheet = false;
    for (TAttribute& attribute : Attributes(page, at, link.End)) {
      if (attribute.Name == "rel") {
        sheet = HasWord(attribute.Value, "stylesheet");
      } else if (attribute.Name == "href") {
        link.Href = std::move(attribute.Value);
      } else if (attribute.Name == "media") {
        link.Media = std::move(attribute.Value);
      }
    }
    if (sheet) {
      links.push_back(std::move(link));
    }
  });
  return links;
}

std::string LivePage(std::string_view page, std::string_view sheet, std::string_view sheetFile,
                     std::string_view eventsAddress) {
  const std::string content = StyleContent(sheet);
  const auto style = [&content](std::string_view media) {
    std::string element = "<style data-quillmere-live";
    if (!media.empty()) {
      element += " media=";
      element += QuotedAttribute(media);
    }
    element += '>';
    element += content;
    element += "</style>";
    return element;
  };
  // The address is the program's own, of letters, digits and "/.-".
  std::string script =
      std::string("<script>new EventSource(\"") + std::string(eventsAddress) +
      "\").onmessage = function (event) {\r\n"
      "  document.querySelectorAll('style[data-quillmere-live]').forEach(function (sheet) {\r\n"
      "    sheet.textContent = event.data;\r\n"
      "  });\r\n"
      "};</script>";
  std::string result;
  size_t copied = 0;
  if (!sheetFile.empty()) {
    for (const TSheetLink& link : SheetLinks(page)) {
      if (LinkedFile(link.Href) != sheetFile) {
        continue;
      }
      result += page.substr(copied, link.Start - copied);
      result += style(link.Media);
      result += std::exchange(script, std::string());
      copied = link.End;
    }
  }
  if (copied == 0) {
    const size_t at = StylePlace(page);
    result += page.substr(0, at);
    result += style({});
    result += script;
    result += "\r\n";
    copied = at;
  }
  result += page.substr(copied);
  return result;
}

}  // namespace qm
