// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/markupscan.h"

#include "model/asciicase.h"

namespace qm {

size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (needle.size() > text.size()) {
    return std::string_view::npos;
  }
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (EqualIgnoringAsciiCase(text.substr(i, needle.size()), needle)) {
      return i;
    }
  }
  return std::string_view::npos;
}

bool OpensTag(std::string_view text, size_t at, std::string_view start) {
  if (!EqualIgnoringAsciiCase(text.substr(at, start.size()), start)) {
    return false;
  }
  const size_t after = at + start.size();
  if (after == text.size()) {
    return true;
  }
  const char c = text[after];
  return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

size_t FindOpeningTag(std::string_view text, std::string_view start) {
  for (size_t at = FindNoCase(text, start); at != std::string_view::npos;
       at = FindNoCase(text, start, at + 1)) {
    if (OpensTag(text, at, start)) {
      return at;
    }
  }
  return std::string_view::npos;
}

void ForEachMarkupTag(std::string_view page, size_t end, const std::function<void(size_t)>& visit) {
  struct TTextElement {
    std::string_view Start;
    std::string_view End;
  };
  constexpr TTextElement kTextElements[] = {{"<style", "</style"},
                                            {"<script", "</script"},
                                            {"<template", "</template"},
                                            {"<textarea", "</textarea"},
                                            {"<title", "</title"}};
  size_t i = page.find('<');
  while (i < end) {
    size_t next = i + 1;
    if (page.substr(i, 4) == "<!--") {
      next = page.find("-->", i + 4);
      next = next == std::string_view::npos ? next : next + 3;
    } else {
      visit(i);
      for (const TTextElement& element : kTextElements) {
        if (OpensTag(page, i, element.Start)) {
          next = FindNoCase(page, element.End, i + element.Start.size());
          break;
        }
      }
    }
    i = next == std::string_view::npos ? next : page.find('<', next);
  }
}

}  // namespace qm
