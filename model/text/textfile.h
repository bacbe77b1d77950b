// SPDX-License-Identifier: GPL-3.0-or-later
// Line breaks of style-sheet files: a file is split into lines at CR LF, lone CR or lone LF,
// edited as lines joined by CR LF, and written back with each line's own break.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/text/document.h"

namespace qm {

enum class TLineBreak : uint8_t { CR, LF, CRLF };

// One line break per line, in line order, with room kept at the place last changed: edits close
// to each other (a whole sheet formatted back to front) move little, so a run of them over the
// whole sheet takes time linear in its lines.
class TLineBreakList {
 public:
  size_t Size() const { return Data_.size() - GapLength_; }
  TLineBreak At(size_t index) const {
    return Data_[index < GapStart_ ? index : index + GapLength_];
  }
  void Append(TLineBreak lineBreak) { Insert(Size(), 1, lineBreak); }
  void Insert(size_t at, size_t count, TLineBreak lineBreak);
  void Erase(size_t at, size_t count);

 private:
  void MoveGap(size_t to);
  std::vector<TLineBreak> Data_;
  size_t GapStart_ = 0;
  size_t GapLength_ = 0;
};

// What loading learnt about a file, so that saving gives back the bytes of every line not edited.
struct TTextFormat {
  // The file's most common break: the one lines added to the text get.
  TLineBreak Break = TLineBreak::CRLF;
  bool FinalBreak = false;
  // Only for a file that mixes its breaks: the break that ends each line of the text, followed
  // through every edit by NoteRemoval and NoteInsertion, the final break included.
  TLineBreakList Breaks;
  // The file as read, kept only when it mixes conventions: a text edited back to what was read
  // is written as these bytes.
  std::string MixedOriginal;
};

struct TLoadedText {
  std::string Text;  // the lines joined by CR LF, no break after the last line
  TTextFormat Format;
};

TLoadedText LoadText(std::string_view bytes);

// The number of line breaks in text, a CR LF counting as one.
int32_t CountLineBreaks(std::string_view text);

// Follow the edits of document's text in a format that keeps each line's break: a removal is
// told before the bytes [position, position + length) are taken out, an insertion after length
// bytes were put in at position. Lines an edit does not reach keep their breaks, and so does a
// line edited at its end (Enter there adds a line after it); added lines get the file's most
// common break. Each takes time logarithmic in the lines, and linear in them only where the edit
// is far from the one before.
void NoteRemoval(TTextFormat& format, const TDocument& document, int32_t position, int32_t length);
void NoteInsertion(TTextFormat& format, const TDocument& document, int32_t position,
                   int32_t length);

// The bytes to write for an editor text (lines joined by any break) in a file's format.
std::string SaveText(std::string_view editorText, const TTextFormat& format);

}  // namespace qm
