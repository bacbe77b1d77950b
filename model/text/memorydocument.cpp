// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/memorydocument.h"

#include <algorithm>

namespace qm {

TMemoryDocument::TMemoryDocument(std::string text) {
  SetText(std::move(text));
}

int32_t TMemoryDocument::LineStart(int32_t line) const {
  if (line < 1) {
    return 0;
  }
  if (line > LineCount()) {
    return static_cast<int32_t>(Text_.size());
  }
  return Starts_[static_cast<size_t>(line - 1)];
}

int32_t TMemoryDocument::LineLength(int32_t line) const {
  if (line < 1 || line > LineCount()) {
    return 0;
  }
  const auto i = static_cast<size_t>(line - 1);
  return Ends_[i] - Starts_[i];
}

TScanState TMemoryDocument::LineStartState(int32_t line) const {
  if (line < 1 || line > LineCount()) {
    return {};
  }
  return States_[static_cast<size_t>(line - 1)];
}

void TMemoryDocument::SplitLines(int32_t from, int32_t to, bool toTextEnd,
                                 std::vector<int32_t>& starts, std::vector<int32_t>& ends) const {
  const std::string_view text(Text_);
  auto start = static_cast<size_t>(from);
  const auto stop = static_cast<size_t>(to);
  for (;;) {
    const size_t brk = std::min(text.find_first_of("\r\n", start), stop);
    starts.push_back(static_cast<int32_t>(start));
    ends.push_back(static_cast<int32_t>(brk));
    if (brk >= stop) {
      return;
    }
    start = brk + (text[brk] == '\r' && brk + 1 < stop && text[brk + 1] == '\n' ? 2 : 1);
    if (start >= stop && !toTextEnd) {
      return;  // the region ends with this break; the line after it lies outside
    }
  }
}

void TMemoryDocument::SetText(std::string text) {
  Text_ = std::move(text);
  ++Version_;
  Changes_.Reset(Version_);
  Starts_.clear();
  Ends_.clear();
  SplitLines(0, static_cast<int32_t>(Text_.size()), true, Starts_, Ends_);
  States_.resize(Starts_.size());
  TScanState state;
  for (size_t i = 0; i < Starts_.size(); ++i) {
    States_[i] = state;
    state = ScanLine(std::string_view(Text_).substr(static_cast<size_t>(Starts_[i]),
                                                    static_cast<size_t>(Ends_[i] - Starts_[i])),
                     state);
  }
}

int32_t TMemoryDocument::Replace(int32_t index, int32_t length, std::string_view text) {
  const auto size = static_cast<int32_t>(Text_.size());
  index = std::clamp(index, 0, size);
  length = std::clamp(length, 0, size - index);
  const auto lineOf = [this](int32_t at) {
    return static_cast<size_t>(std::upper_bound(Starts_.begin(), Starts_.end(), at) -
                               Starts_.begin() - 1);
  };
  // The lines the edit touches are split again, and the line before them when it ends with a
  // lone CR that the edit may join with an LF.
  size_t first = lineOf(index);
  if (first > 0 && index == Starts_[first] && Text_[static_cast<size_t>(index) - 1] == '\r') {
    --first;
  }
  const size_t last = lineOf(index + length);
  const bool lastLine = last + 1 == Starts_.size();
  const int32_t regionEnd = lastLine ? size : Starts_[last + 1];

  Text_.replace(static_cast<size_t>(index), static_cast<size_t>(length), text);
  ++Version_;
  const int32_t delta = static_cast<int32_t>(text.size()) - length;
  Changes_.Add(Version_, {index, index + length, index + length + delta});

  std::vector<int32_t> starts;
  std::vector<int32_t> ends;
  SplitLines(Starts_[first], regionEnd + delta, lastLine, starts, ends);
  const auto oldCount = static_cast<std::ptrdiff_t>(last - first + 1);
  const auto newCount = static_cast<std::ptrdiff_t>(starts.size());
  const auto at = static_cast<std::ptrdiff_t>(first);
  for (size_t i = last + 1; i < Starts_.size(); ++i) {
    Starts_[i] += delta;
    Ends_[i] += delta;
  }
  Starts_.erase(Starts_.begin() + at, Starts_.begin() + at + oldCount);
  Starts_.insert(Starts_.begin() + at, starts.begin(), starts.end());
  Ends_.erase(Ends_.begin() + at, Ends_.begin() + at + oldCount);
  Ends_.insert(Ends_.begin() + at, ends.begin(), ends.end());
  const TScanState firstState = States_[first];
  States_.erase(States_.begin() + at, States_.begin() + at + oldCount);
  States_.insert(States_.begin() + at, static_cast<size_t>(newCount), TScanState{});
  States_[first] = firstState;

  // The split lines are scanned whatever; the lines after them until one starts as it did.
  int32_t scanned = 0;
  const size_t splitEnd = first + static_cast<size_t>(newCount);
  for (size_t i = first; i < Starts_.size(); ++i) {
    const TScanState next =
        ScanLine(std::string_view(Text_).substr(static_cast<size_t>(Starts_[i]),
                                                static_cast<size_t>(Ends_[i] - Starts_[i])),
                 States_[i]);
    ++scanned;
    if (i + 1 == Starts_.size() || (i + 1 >= splitEnd && States_[i + 1] == next)) {
      break;
    }
    States_[i + 1] = next;
  }
  return scanned;
}

std::vector<std::vector<TToken>> TMemoryDocument::AllTokens() const {
  std::vector<std::vector<TToken>> all;
  all.reserve(Starts_.size());
  for (int32_t line = 1; line <= LineCount(); ++line) {
    all.push_back(LineTokens(line));
  }
  return all;
}

}  // namespace qm
