// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/changelog.h"

#include <algorithm>

namespace qm {

TTextChange Combined(const TTextChange& first, const TTextChange& then) {
  // Positions after first's stretch moved by shift; then's end, taken back into the older text,
  // either lies in first's stretch or after it.
  const int32_t shift = first.NewEnd - first.OldEnd;
  TTextChange both;
  both.Start = std::min(first.Start, then.Start);
  both.OldEnd = std::max(first.OldEnd, then.OldEnd - shift);
  both.NewEnd = std::max(first.NewEnd, then.OldEnd) + (then.NewEnd - then.OldEnd);
  return both;
}

void TChangeLog::Add(uint64_t version, const TTextChange& change) {
  if (Entries_.size() >= Limit) {
    Reset(version);
    return;
  }
  Entries_.push_back({version, change});
}

void TChangeLog::Reset(uint64_t version) {
  Entries_.clear();
  From_ = version;
}

std::optional<TTextChange> TChangeLog::Since(uint64_t version) const {
  if (version < From_) {
    return std::nullopt;
  }
  std::optional<TTextChange> all;
  for (const TEntry& entry : Entries_) {
    if (entry.Version > version) {
      all = all ? Combined(*all, entry.Change) : entry.Change;
    }
  }
  return all.value_or(TTextChange{});
}

}  // namespace qm
