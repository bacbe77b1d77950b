// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/program/recoveryrecord.h"

#include <charconv>
#include <optional>

namespace qm {

namespace {

constexpr std::string_view Magic = "QUILLMERE RECOVERY 1\n";

uint64_t Checksum(std::string_view bytes) {
  // FNV-1a: enough to tell a flipped byte, and linear.
  uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  }
  return hash;
}

void Field(std::string& out, std::string_view name, std::string_view value) {
  out += name;
  out += ' ';
  out += std::to_string(value.size());
  out += '\n';
  out += value;
  out += '\n';
}

// Reads the record front to back; every step fails softly on a short or malformed record.
class TRecordReader {
 public:
  explicit TRecordReader(std::string_view bytes) : Rest(bytes) {}

  bool Expect(std::string_view text) {
    if (Rest.substr(0, text.size()) != text) {
      return false;
    }
    Rest.remove_prefix(text.size());
    return true;
  }

  std::optional<std::string_view> Line() {
    const size_t end = Rest.find('\n');
    if (end == std::string_view::npos) {
      return std::nullopt;
    }
    const std::string_view line = Rest.substr(0, end);
    Rest.remove_prefix(end + 1);
    return line;
  }

  template <typename T>
  static std::optional<T> Number(std::string_view text, int base = 10) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
      return std::nullopt;
    }
    return value;
  }

  // "name <length>\n<bytes>\n"
  std::optional<std::string> Field(std::string_view name) {
    if (!Expect(name) || !Expect(" ")) {
      return std::nullopt;
    }
    const std::optional<std::string_view> line = Line();
    const std::optional<size_t> length = line ? Number<size_t>(*line) : std::nullopt;
    if (!length || Rest.size() < *length + 1 || Rest[*length] != '\n') {
      return std::nullopt;
    }
    std::string value(Rest.substr(0, *length));
    Rest.remove_prefix(*length + 1);
    return value;
  }

  std::string_view Rest;
};

}  // namespace

std::string RecordBytes(const TRecoveryRecord& record) {
  std::string out;
  out.reserve(record.Bytes.size() + record.Path.size() + record.Caption.size() + 128);
  out += Magic;
  Field(out, "path", record.Path);
  Field(out, "caption", record.Caption);
  out += "file " + std::to_string(record.FileTime) + ' ' + std::to_string(record.FileSize) + '\n';
  char sum[17] = {};
  std::to_chars(sum, sum + 16, Checksum(record.Bytes), 16);
  out += "text " + std::to_string(record.Bytes.size()) + ' ' + sum + '\n';
  out += record.Bytes;
  out += "\nend\n";
  return out;
}

TReadRecord ReadRecord(std::string_view bytes) {
  TReadRecord read;
  TRecordReader reader(bytes);
  if (!reader.Expect(Magic)) {
    return read;
  }
  std::optional<std::string> path = reader.Field("path");
  std::optional<std::string> caption = path ? reader.Field("caption") : std::nullopt;
  if (!caption) {
    return read;
  }
  read.Record.Path = std::move(*path);
  read.Record.Caption = std::move(*caption);
  std::optional<std::string_view> stamp;
  if (reader.Expect("file ")) {
    stamp = reader.Line();
  }
  const size_t blank = stamp ? stamp->find(' ') : std::string_view::npos;
  if (blank == std::string_view::npos) {
    return read;
  }
  const auto time = TRecordReader::Number<int64_t>(stamp->substr(0, blank));
  const auto size = TRecordReader::Number<int64_t>(stamp->substr(blank + 1));
  read.Record.FileTime = time.value_or(-1);
  read.Record.FileSize = size.value_or(-1);

  std::optional<std::string_view> text;
  if (reader.Expect("text ")) {
    text = reader.Line();
  }
  const size_t gap = text ? text->find(' ') : std::string_view::npos;
  const auto length = gap == std::string_view::npos
                          ? std::nullopt
                          : TRecordReader::Number<size_t>(text->substr(0, gap));
  const auto sum = gap == std::string_view::npos
                       ? std::nullopt
                       : TRecordReader::Number<uint64_t>(text->substr(gap + 1), 16);
  if (!length || !sum) {
    return read;
  }
  if (reader.Rest.size() < *length) {
    read.Record.Bytes = std::string(reader.Rest);
    read.State = TRecordState::Truncated;
    return read;
  }
  read.Record.Bytes = std::string(reader.Rest.substr(0, *length));
  read.State = Checksum(read.Record.Bytes) == *sum ? TRecordState::Whole : TRecordState::Damaged;
  return read;
}

}  // namespace qm
