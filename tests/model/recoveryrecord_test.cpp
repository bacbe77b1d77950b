// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/recoveryrecord.h"

#include <gtest/gtest.h>

#include "model/program/textdifference.h"

namespace qm {
namespace {

TRecoveryRecord Sample() {
  TRecoveryRecord record;
  record.Path = "/home/ann/site\nfolder/caf\xc3\xa9.css";
  record.Caption = "caf\xc3\xa9.css";
  record.FileTime = 1765400000123;
  record.FileSize = 42;
  // Bytes as the file has them: Latin-1, lone CRs, a NUL and what looks like the record's own end.
  static const char bytes[] = "a{color:red}\r\rp{content:\"\xe9\"}\nend\n\0x";
  record.Bytes = std::string(bytes, sizeof bytes - 1);
  return record;
}

TEST(RecoveryRecord, EveryFieldComesBackByteForByte) {
  for (TRecoveryRecord record : {Sample(), TRecoveryRecord{}}) {
    const TReadRecord read = ReadRecord(RecordBytes(record));
    EXPECT_EQ(read.State, TRecordState::Whole);
    EXPECT_EQ(read.Record, record);
  }
}

TEST(RecoveryRecord, ADamagedRecordGivesWhatItStillHolds) {
  const TRecoveryRecord record = Sample();
  const std::string whole = RecordBytes(record);
  const size_t text = whole.size() - record.Bytes.size() - 5;
  struct TCase {
    const char* Name;
    std::string Bytes;
    TRecordState State;
    std::string Text;
  };
  std::string flipped = whole;
  flipped[text + 3] ^= 0x20;
  const TCase cases[] = {
      {"empty", "", TRecordState::Unreadable, ""},
      {"another file", "a{color:red}", TRecordState::Unreadable, ""},
      {"cut in the header", whole.substr(0, 30), TRecordState::Unreadable, ""},
      {"cut before the text", whole.substr(0, text), TRecordState::Truncated, ""},
      {"cut inside the text", whole.substr(0, text + 7), TRecordState::Truncated,
       record.Bytes.substr(0, 7)},
      {"a byte changed", flipped, TRecordState::Damaged, flipped.substr(text, record.Bytes.size())},
      {"end missing", whole.substr(0, whole.size() - 4), TRecordState::Whole, record.Bytes},
      {"garbage length", std::string(whole).replace(whole.find("\ntext 35 ") + 6, 2, "3x"),
       TRecordState::Unreadable, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TReadRecord read = ReadRecord(c.Bytes);
    EXPECT_EQ(read.State, c.State);
    EXPECT_EQ(read.Record.Bytes, c.Text);
    if (c.State != TRecordState::Unreadable) {
      EXPECT_EQ(read.Record.Path, record.Path);
      EXPECT_EQ(read.Record.FileSize, 42);
    }
  }
}

TEST(LineDifference, ShowsOnlyTheLinesBetweenTheSharedStartAndEnd) {
  struct TCase {
    const char* Before;
    const char* After;
    const char* Shown;
  };
  const TCase cases[] = {
      {"a\nb\nc", "a\nb\nc", ""},
      // Line breaks of another convention are the same lines.
      {"a\r\nb\r\n", "a\nb\n", ""},
      {"a\nb\nc\n", "a\nB\nc\n", "@@ line 2 @@\n- b\n+ B\n"},
      {"a\nc", "a\nb\nc", "@@ line 2 @@\n+ b\n"},
      {"a\nb\nc", "a", "@@ line 2 @@\n- b\n- c\n"},
      {"", "x{}", "@@ line 1 @@\n+ x{}\n"},
      // Repeated lines on both sides of the change are not counted twice.
      {"x\nx\nx", "x\nx", "@@ line 3 @@\n- x\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Before);
    EXPECT_EQ(LineDifference(c.Before, c.After), c.Shown);
  }
}

}  // namespace
}  // namespace qm
