// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textencoding.h"

#include "model/error.h"

#include <array>
#include <cstdio>
#include <utility>

namespace qm {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Windows-1252 from 0x80 to 0x9F; the rest of the bytes are the code points of their number.
constexpr std::array<char32_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(std::string_view bytes, size_t at, uint8_t low = 0x80, uint8_t high = 0xBF) {
  if (at >= bytes.size()) {
    return false;
  }
  const auto b = static_cast<uint8_t>(bytes[at]);
  return b >= low && b <= high;
}

// The character that starts at at, and the byte after it; an ill-formed sequence gives
// Replacement and skips one byte.
char32_t DecodeUtf8(std::string_view bytes, size_t& at) {
  const auto lead = static_cast<uint8_t>(bytes[at]);
  size_t length = 0;
  // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  char32_t value = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    ++at;
    return Replacement;
  }
  if (!IsContinuation(bytes, at + 1, low, high)) {
    ++at;
    return Replacement;
  }
  for (size_t i = 1; i < length; ++i) {
    if (i > 1 && !IsContinuation(bytes, at + i)) {
      ++at;
      return Replacement;
    }
    value = (value << 6) | (static_cast<uint8_t>(bytes[at + i]) & 0x3F);
  }
  at += length;
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const size_t start = at;
    // U+FFFD written out is valid; a replacement for bad bytes consumes exactly one byte.
    if (DecodeUtf8(bytes, at) == Replacement && at == start + 1) {
      return false;
    }
  }
  return true;
}

TTextEncoding DetectEncoding(std::string_view bytes) {
  return IsValidUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::EightBit;
}

char32_t Windows1252ToUnicode(uint8_t byte) {
  return byte >= 0x80 && byte <= 0x9F ? High[byte - 0x80] : char32_t{byte};
}

std::optional<uint8_t> UnicodeToWindows1252(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<uint8_t>(character);
  }
  for (size_t i = 0; i < High.size(); ++i) {
    if (High[i] == character) {
      return static_cast<uint8_t>(0x80 + i);
    }
  }
  return std::nullopt;
}

std::string EightBitToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char b : bytes) {
    AppendUtf8(text, Windows1252ToUnicode(static_cast<uint8_t>(b)));
  }
  return text;
}

TEightBitText Utf8ToEightBit(std::string_view utf8) {
  TEightBitText result;
  result.Bytes.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const size_t start = at;
    const char32_t c = DecodeUtf8(utf8, at);
    const std::optional<uint8_t> byte =
        c == Replacement && at == start + 1 ? std::nullopt : UnicodeToWindows1252(c);
    if (!byte) {
      result.Bytes.clear();
      result.Unencodable = TUnencodable{start, c};
      return result;
    }
    result.Bytes.push_back(static_cast<char>(*byte));
  }
  return result;
}

std::string UnencodableMessage(const TUnencodable& unencodable) {
  std::string shown;
  AppendUtf8(shown, unencodable.Character);
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(unencodable.Character));
  return "The character \"" + shown + "\" (" + code +
         ") cannot be stored in this file, which is 8-bit text (Windows-1252).";
}

std::string ToUtf8(std::string_view bytes, TTextEncoding encoding) {
  return encoding == TTextEncoding::EightBit ? EightBitToUtf8(bytes) : std::string(bytes);
}

std::string FromUtf8(std::string_view utf8, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Utf8) {
    return std::string(utf8);
  }
  TEightBitText text = Utf8ToEightBit(utf8);
  if (text.Unencodable) {
    throw TError(UnencodableMessage(*text.Unencodable));
  }
  return std::move(text.Bytes);
}

}  // namespace qm
