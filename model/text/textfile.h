// SPDX-License-Identifier: GPL-3.0-or-later
// Line breaks of style-sheet files: a file is split into lines at CR LF, lone CR or lone LF,
// edited as lines joined by CR LF, and written back with its own convention.
#pragma once

#include <string>
#include <string_view>

namespace qm {

enum class TLineBreak { CR, LF, CRLF };

// What loading learnt about a file, so that saving an unedited file gives back the same bytes.
struct TTextFormat {
  TLineBreak Break = TLineBreak::CRLF;
  bool FinalBreak = false;
  // The file as read, kept only when it mixes conventions: joining its lines with one convention
  // would not give it back, so an unedited document is written from these bytes.
  std::string MixedOriginal;
};

struct TLoadedText {
  std::string Text;  // the lines joined by CR LF, no break after the last line
  TTextFormat Format;
};

TLoadedText LoadText(std::string_view bytes);

// The bytes to write for an editor text (lines joined by any break) in a file's format.
std::string SaveText(std::string_view editorText, const TTextFormat& format);

}  // namespace qm
