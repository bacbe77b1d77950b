// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery record of a document with unsaved changes: what it is written as, and a reader that
// takes back whatever a damaged or cut-off record still holds, saying how much that is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

struct TRecoveryRecord {
  std::string Path;     // the document's file, UTF-8; empty for an untitled document
  std::string Caption;  // the tab's caption, which names an untitled document
  // The file on disk as the document last read or wrote it, so that a later change by another
  // program can be told: modification time in milliseconds and size; -1 when it had none.
  int64_t FileTime = -1;
  int64_t FileSize = -1;
  std::string Bytes;  // the text as saving would write it: the file's encoding and line breaks

  friend bool operator==(const TRecoveryRecord&, const TRecoveryRecord&) = default;
};

std::string RecordBytes(const TRecoveryRecord& record);

enum class TRecordState {
  Whole,
  // Cut off inside its text: the text up to the cut is there.
  Truncated,
  // Its text is all there but does not match its checksum: some bytes were changed.
  Damaged,
  // Not a recovery record at all, or cut off before its text began: nothing to recover.
  Unreadable,
};

struct TReadRecord {
  TRecoveryRecord Record;
  TRecordState State = TRecordState::Unreadable;
};

// Never fails: what cannot be read is said in State.
TReadRecord ReadRecord(std::string_view bytes);

}  // namespace qm
