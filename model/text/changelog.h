// SPDX-License-Identifier: GPL-3.0-or-later
// The last changes of a document's text, each with the version it made, so that what was built
// from an older version can learn which stretch of the text changed since and update only that.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace qm {

// What changed between two versions of a text: the bytes [Start, OldEnd) of the older text became
// the bytes [Start, NewEnd) of the newer one; everything before and after is the same.
struct TTextChange {
  int32_t Start = 0;
  int32_t OldEnd = 0;
  int32_t NewEnd = 0;
  bool operator==(const TTextChange&) const = default;
};

// The change made of first and then, a change in the text first left.
TTextChange Combined(const TTextChange& first, const TTextChange& then);

// Where an index of the text before change is in the text after it; none inside what changed.
inline std::optional<int32_t> Mapped(int32_t index, const TTextChange& change) {
  if (index < change.Start) {
    return index;
  }
  if (index >= change.OldEnd) {
    return index + change.NewEnd - change.OldEnd;
  }
  return std::nullopt;
}

class TChangeLog {
 public:
  // A change that made version out of version - 1.
  void Add(uint64_t version, const TTextChange& change);
  // Forgets every change: nothing before version can be told any more.
  void Reset(uint64_t version);
  // Everything that changed after version, as one stretch; none when the log no longer reaches
  // back that far (then the whole text is to be taken as new).
  std::optional<TTextChange> Since(uint64_t version) const;

 private:
  struct TEntry {
    uint64_t Version = 0;
    TTextChange Change;
  };
  // Bounded: a long run of changes (a Replace All) is cheaper to take as a new text.
  static constexpr size_t Limit = 256;
  std::vector<TEntry> Entries_;
  uint64_t From_ = 0;  // Entries_ holds every change after this version
};

}  // namespace qm
