// SPDX-License-Identifier: GPL-3.0-or-later
// A document's encoding: a file that is valid UTF-8 is edited as UTF-8, any other as 8-bit text
// (one byte per character, shown as Windows-1252), and typed text is stored in the file's own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

enum class TTextEncoding { Utf8, EightBit };

// Whether bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// Utf8 for valid UTF-8 (plain ASCII included), EightBit for anything else.
TTextEncoding DetectEncoding(std::string_view bytes);

// The character a byte of 8-bit text shows under Windows-1252. Its five undefined bytes (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) give the C1 controls of the same number, so every byte has one.
char32_t Windows1252ToUnicode(uint8_t byte);
// The byte that shows a character; none when 8-bit text cannot hold it.
std::optional<uint8_t> UnicodeToWindows1252(char32_t character);

// 8-bit text as UTF-8, one character per byte.
std::string EightBitToUtf8(std::string_view bytes);

struct TUnencodable {
  size_t Offset = 0;       // of the character's first byte in the UTF-8 input
  char32_t Character = 0;  // U+FFFD for bytes that are no UTF-8
  bool operator==(const TUnencodable&) const = default;
};

struct TEightBitText {
  std::string Bytes;                        // the 8-bit text when every character fits, else empty
  std::optional<TUnencodable> Unencodable;  // the first character that does not fit
};

// Typed or pasted text (UTF-8) in 8-bit form, or the first character that it cannot hold.
TEightBitText Utf8ToEightBit(std::string_view utf8);

// Bytes of a document in encoding as UTF-8, for showing them outside the editor.
std::string ToUtf8(std::string_view bytes, TTextEncoding encoding);
// UTF-8, as typed into a view, as the bytes of a document in encoding. Throws TError with
// UnencodableMessage when the encoding cannot hold one of its characters.
std::string FromUtf8(std::string_view utf8, TTextEncoding encoding);

// What the user is told when typed text holds a character that 8-bit text cannot hold; the
// message is UTF-8.
std::string UnencodableMessage(const TUnencodable& unencodable);

}  // namespace qm
