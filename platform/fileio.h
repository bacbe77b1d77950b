// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing whole files as bytes, failing with the messages the user knows.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The file's bytes; raises TError "Cannot open file "<path>". <reason>" when it cannot be read.
QByteArray ReadFileBytes(const QString& path);
// Writes through a temporary file renamed over the old one, so a failed write leaves it whole;
// raises TError "Cannot create file "<path>". <reason>".
void WriteFileBytes(const QString& path, std::string_view bytes);

// Whether two paths name one existing file however they are spelled (links, "..", and on
// Windows letter case).
bool SameFile(const QString& a, const QString& b);

// The path as one absolute spelling: links and ".." resolved for a file that exists, otherwise
// made absolute against the current folder.
QString CanonicalFilePath(const QString& path);

std::string Utf8(const QString& text);

// What tells a file's version without reading it: its modification time (milliseconds since
// the epoch) and size; -1 for both when there is no such file.
struct TDiskStamp {
  int64_t Time = -1;
  int64_t Size = -1;

  friend bool operator==(const TDiskStamp&, const TDiskStamp&) = default;
};
TDiskStamp FileStamp(const QString& path);

}  // namespace qm
