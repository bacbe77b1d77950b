// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/textdifference.h"

#include <vector>

namespace qm {

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < text.size()) {
    lines.push_back(text.substr(start));
  }
  return lines;
}

}  // namespace

std::string LineDifference(std::string_view before, std::string_view after) {
  const std::vector<std::string_view> old = Lines(before);
  const std::vector<std::string_view> now = Lines(after);
  size_t head = 0;
  while (head < old.size() && head < now.size() && old[head] == now[head]) {
    ++head;
  }
  size_t tail = 0;
  while (tail < old.size() - head && tail < now.size() - head &&
         old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
    ++tail;
  }
  if (head == old.size() && head == now.size()) {
    return {};
  }
  std::string out = "@@ line " + std::to_string(head + 1) + " @@\n";
  for (size_t i = head; i < old.size() - tail; ++i) {
    out += "- ";
    out += old[i];
    out += '\n';
  }
  for (size_t i = head; i < now.size() - tail; ++i) {
    out += "+ ";
    out += now[i];
    out += '\n';
  }
  return out;
}

}  // namespace qm
