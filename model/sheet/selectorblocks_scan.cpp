// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a sheet's blocks: one pass over its code bytes; after an edit, a pass from a checkpoint
// in front of it that stops once it reads the rest as the last pass did, with one block more or
// less left open when the edit opened or closed one.
#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "model/asciicase.h"
#include "model/sheet/selectorblocks.h"
#include "model/text/changelog.h"
#include "model/text/codescan.h"

namespace qm {
namespace {

// What the scan keeps for each open brace: the index of its block in the scan's own list, or one
// of these.
constexpr int32_t kBraceAtStart = -1;  // a brace at index 0, which opens no block
constexpr int32_t kOuter = -2;         // the block of the kept list the scan resumed inside

// The last list, before an edit, for a scan of the text after it.
struct TOldList {
  TTextChange Change;
  const std::vector<TItmRecord>& Items;
  const std::vector<TBlockCheckpoint>& Checkpoints;
  const std::vector<int32_t>& Strays;
  int32_t OuterEnd = -1;  // the EndPos the block the scan resumed inside had
};

// Where a scan came back in step with the old list: from there on it would find what the old
// list holds, moved by the edit.
struct TMeet {
  int32_t Index = -1;     // just past the "}" where it did; -1 when it read to the end
  size_t Checkpoint = 0;  // the old list's checkpoint there
  int32_t Open = -1;      // the brace of the block the new scan has open there, -1 when none
  bool OldOpen = false;   // whether the old scan had one open there
};

// The position of the checkpoint old in the list read again, when it stays one.
std::optional<int32_t> Translated(const TBlockCheckpoint& old, const TMeet& meet,
                                  const TTextChange& change) {
  if (meet.Open >= 0 && !meet.OldOpen) {
    // The block the edit left open encloses everything after: only the old list's top level
    // stays at most one block deep.
    return old.Outer < 0 ? std::optional<int32_t>(meet.Open) : std::nullopt;
  }
  if (meet.Open < 0 && meet.OldOpen) {
    // The block the old list had open to the end is gone.
    return -1;
  }
  return old.Outer < 0 ? -1 : Mapped(old.Outer, change);
}

// One pass over the code bytes of the text, or of a stretch of it from a checkpoint on, that
// finds every block, its name and its partner.
class TBlockScan {
 public:
  TBlockScan(std::string_view text, std::vector<TItmRecord>& items,
             std::vector<TBlockCheckpoint>& checkpoints, std::vector<int32_t>& strays)
      : Text_(text), Items_(items), Checkpoints_(checkpoints), Strays_(strays) {}

  // Resumes inside outer, a block of the kept list (reopened until the scan meets its "}"), or
  // inside the brace at index 0 when outer is null.
  void ResumeInside(TItmRecord* outer) {
    Outer_ = outer;
    if (outer != nullptr) {
      outer->EndPos = -1;
    }
    Open_.push_back(outer != nullptr ? kOuter : kBraceAtStart);
  }

  // Scans from from, 0 or a checkpoint. With an old list to meet, stops at the first checkpoint
  // after the edit from which the old list reads the same.
  TMeet Scan(int32_t from, const TOldList* old = nullptr) {
    LastStop_ = from - 1;
    TCodeScanner code(Text_, from);
    TCodeStop stop;
    while (code.Next(stop)) {
      const int32_t p = stop.Index;
      if (stop.Byte == TCodeByte::Open) {
        Open_.push_back(p > 0 ? static_cast<int32_t>(Items_.size()) : kBraceAtStart);
        if (p > 0) {
          Items_.push_back(Record(p));
        }
      } else if (stop.Byte == TCodeByte::Close) {
        if (Open_.empty()) {
          Strays_.push_back(p);
        } else {
          SetEnd(Open_.back(), p);
          Open_.pop_back();
        }
        if (Open_.size() <= 1 && stop.Clean) {
          const TBlockCheckpoint here{p + 1, Open_.empty() ? -1 : StartOf(Open_.back())};
          if (old != nullptr && p >= old->Change.NewEnd) {
            const TMeet meet = Meets(here, *old);
            if (meet.Index >= 0) {
              return meet;
            }
          }
          Checkpoints_.push_back(here);
        }
      }
      LastStop_ = p;
    }
    return {};
  }

 private:
  // Whether the scan, at checkpoint here past the edit, reads on as the old list did from the
  // same place. What follows is the same text; only the block open there may differ, and it
  // matters only to the "}" that closes it.
  TMeet Meets(const TBlockCheckpoint& here, const TOldList& old) {
    const int32_t shift = old.Change.NewEnd - old.Change.OldEnd;
    const int32_t was = here.Index - shift;
    const auto it = std::lower_bound(
        old.Checkpoints.begin(), old.Checkpoints.end(), was,
        [](const TBlockCheckpoint& point, int32_t index) { return point.Index < index; });
    if (it == old.Checkpoints.end() || it->Index != was) {
      return {};
    }
    const bool oldOpen = it->Outer >= 0;
    if (here.Outer < 0 && oldOpen) {
      // The old scan had a block open here: the "}" that closed it would close none now.
      if (it->Outer == 0 || OldEnd(it->Outer, old) != -1) {
        return {};
      }
    } else if (here.Outer >= 0 && !oldOpen) {
      // A "}" the old scan met with none open would close the block open now.
      if (!old.Strays.empty() && old.Strays.back() >= was) {
        return {};
      }
    } else if (here.Outer >= 0) {
      // The same block open in both closes where it did.
      if (Mapped(it->Outer, old.Change) != here.Outer) {
        return {};
      }
      if (here.Outer > 0) {
        const std::optional<int32_t> end = OldEnd(it->Outer, old);
        if (!end) {
          return {};
        }
        SetEnd(Open_.back(), *end < 0 ? -1 : *end + shift);
      }
    }
    return {here.Index, static_cast<size_t>(it - old.Checkpoints.begin()), here.Outer, oldOpen};
  }

  // The EndPos the old list gave the block whose brace is at start in the old text.
  std::optional<int32_t> OldEnd(int32_t start, const TOldList& old) const {
    if (Outer_ != nullptr && Outer_->StartPos == start) {
      return old.OuterEnd;
    }
    const auto it = std::lower_bound(
        old.Items.begin(), old.Items.end(), start,
        [](const TItmRecord& item, int32_t index) { return item.StartPos < index; });
    if (it == old.Items.end() || it->StartPos != start) {
      return std::nullopt;
    }
    return it->EndPos;
  }

  int32_t StartOf(int32_t open) const {
    if (open == kBraceAtStart) {
      return 0;
    }
    return open == kOuter ? Outer_->StartPos : Items_[static_cast<size_t>(open)].StartPos;
  }

  void SetEnd(int32_t open, int32_t end) {
    if (open == kOuter) {
      Outer_->EndPos = end;
    } else if (open >= 0) {
      Items_[static_cast<size_t>(open)].EndPos = end;
    }
  }

  // The selector runs from after the last stop to the brace. Every brace is a stop, so the bytes
  // looked at for names are each looked at once.
  TItmRecord Record(int32_t p) {
    TItmRecord record;
    record.StartPos = p;
    int32_t start = LastStop_ + 1;
    int32_t end = p;
    while (start < end && IsBlankOrControl(Text_[static_cast<size_t>(start)])) {
      ++start;
    }
    while (end > start && IsBlankOrControl(Text_[static_cast<size_t>(end - 1)])) {
      --end;
    }
    record.Name = Text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    record.Kind = SelectorKind(record.Name);
    return record;
  }

  std::string_view Text_;
  std::vector<TItmRecord>& Items_;
  std::vector<TBlockCheckpoint>& Checkpoints_;
  std::vector<int32_t>& Strays_;
  TItmRecord* Outer_ = nullptr;
  int32_t LastStop_ = -1;
  std::vector<int32_t> Open_;
};

// Names from text that is about to change view a copy of the stretch they lie in.
void KeepNames(std::string_view text, std::vector<TItmRecord>::iterator first,
               std::vector<TItmRecord>::iterator last,
               std::vector<std::shared_ptr<std::string>>& texts, size_t& copied) {
  if (first == last) {
    return;
  }
  size_t from = text.size();
  size_t to = 0;
  for (auto it = first; it != last; ++it) {
    const auto at = static_cast<size_t>(it->Name.data() - text.data());
    from = std::min(from, at);
    to = std::max(to, at + it->Name.size());
  }
  from = std::min(from, to);
  auto copy = std::make_shared<std::string>(text.substr(from, to - from));
  for (auto it = first; it != last; ++it) {
    const auto at = static_cast<size_t>(it->Name.data() - text.data()) - from;
    it->Name = std::string_view(*copy).substr(at, it->Name.size());
  }
  copied += copy->size();
  texts.push_back(std::move(copy));
}

// Puts with in the place of [first, last), moving the elements after it once at most.
template <typename T>
void ReplaceRange(std::vector<T>& all, typename std::vector<T>::iterator first,
                  typename std::vector<T>::iterator last, std::vector<T>& with) {
  const auto kept = static_cast<size_t>(last - first);
  const size_t common = std::min(kept, with.size());
  first = std::move(with.begin(), with.begin() + static_cast<ptrdiff_t>(common), first);
  if (with.size() > common) {
    all.insert(first, std::make_move_iterator(with.begin() + static_cast<ptrdiff_t>(common)),
               std::make_move_iterator(with.end()));
  } else {
    all.erase(first, last);
  }
}

}  // namespace

void RebuildBlocks(const TDocument& document, TModList& blocks) {
  // The names view a copy of the text. When no copy of the list shares the last one, its memory
  // is taken again, as is the lists' room: a rebuild of a big sheet then costs no fresh pages.
  // Until the list is whole again it describes no text.
  blocks.Built_ = false;
  blocks.Items_.clear();
  blocks.Checkpoints_.clear();
  blocks.Strays_.clear();
  std::shared_ptr<std::string> text;
  if (blocks.Texts_.size() == 1 && blocks.Texts_.front().use_count() == 1) {
    text = std::move(blocks.Texts_.front());
  }
  blocks.Texts_.clear();
  if (text) {
    text->assign(document.Text());
  } else {
    text = std::make_shared<std::string>(document.Text());
  }
  TBlockScan(*text, blocks.Items_, blocks.Checkpoints_, blocks.Strays_).Scan(0);
  blocks.Texts_.push_back(std::move(text));
  blocks.UpdatedBytes_ = 0;
  blocks.Version_ = document.TextVersion();
  blocks.Built_ = true;
}

void UpdateBlocks(const TDocument& document, TModList& blocks) {
  if (blocks.Describes(document)) {
    return;
  }
  const std::optional<TTextChange> change =
      blocks.Built_ ? document.ChangedSince(blocks.Version_) : std::nullopt;
  const std::string_view text = document.Text();
  // Most of the text new (a load, a Format Document), or copies of changed stretches adding up to
  // half the text: a new copy costs less.
  if (!change || change->NewEnd - change->Start > static_cast<int32_t>(text.size() / 2) ||
      blocks.UpdatedBytes_ > text.size() / 2 + 4096) {
    RebuildBlocks(document, blocks);
    return;
  }
  const int32_t shift = change->NewEnd - change->OldEnd;
  std::vector<TItmRecord>& all = blocks.Items_;
  const auto byStart = [](const TItmRecord& item, int32_t index) { return item.StartPos < index; };
  // The last checkpoint at or before the change: everything in front of it reads as before.
  std::vector<TBlockCheckpoint>& points = blocks.Checkpoints_;
  const auto resume = std::upper_bound(
      points.begin(), points.end(), change->Start,
      [](int32_t index, const TBlockCheckpoint& point) { return index < point.Index; });
  const TBlockCheckpoint from = resume == points.begin() ? TBlockCheckpoint() : *std::prev(resume);

  std::vector<TItmRecord> items;
  std::vector<TBlockCheckpoint> checkpoints;
  std::vector<int32_t> strays;
  TBlockScan scan(text, items, checkpoints, strays);
  TOldList old{*change, all, points, blocks.Strays_};
  if (from.Outer > 0) {
    const auto outer = std::lower_bound(all.begin(), all.end(), from.Outer, byStart);
    if (outer == all.end() || outer->StartPos != from.Outer) {
      RebuildBlocks(document, blocks);
      return;
    }
    old.OuterEnd = outer->EndPos;
    scan.ResumeInside(&*outer);
  } else if (from.Outer == 0) {
    scan.ResumeInside(nullptr);
  }
  const TMeet met = scan.Scan(from.Index, &old);

  // What the scan read again replaces the old stretch, from the checkpoint to the one met (or
  // the end); the rest of the old list stays where it is, shifted.
  const auto first = std::lower_bound(all.begin(), all.end(), from.Index, byStart);
  const auto last =
      met.Index < 0 ? all.end() : std::lower_bound(first, all.end(), met.Index - shift, byStart);
  for (auto it = last; it != all.end(); ++it) {
    it->StartPos += shift;
    if (it->EndPos >= 0) {
      it->EndPos += shift;
    }
  }
  const auto pointsLast =
      met.Index < 0 ? points.end() : points.begin() + static_cast<ptrdiff_t>(met.Checkpoint);
  auto kept = pointsLast;
  for (auto it = pointsLast; it != points.end(); ++it) {
    if (const std::optional<int32_t> outer = Translated(*it, met, *change)) {
      *kept++ = {it->Index + shift, *outer};
    }
  }
  points.erase(kept, points.end());
  std::vector<int32_t>& oldStrays = blocks.Strays_;
  const auto straysFirst = std::lower_bound(oldStrays.begin(), oldStrays.end(), from.Index);
  const auto straysLast = met.Index < 0
                              ? oldStrays.end()
                              : std::lower_bound(straysFirst, oldStrays.end(), met.Index - shift);
  for (auto it = straysLast; it != oldStrays.end(); ++it) {
    *it += shift;
  }
  KeepNames(text, items.begin(), items.end(), blocks.Texts_, blocks.UpdatedBytes_);
  ReplaceRange(all, first, last, items);
  ReplaceRange(points, resume, pointsLast, checkpoints);
  ReplaceRange(oldStrays, straysFirst, straysLast, strays);
  blocks.Version_ = document.TextVersion();
}

}  // namespace qm
