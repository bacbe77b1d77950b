// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textfile.h"

#include <algorithm>
#include <array>

namespace qm {

namespace {

// The break that starts at text[i] and its length; 0 when text[i] is none.
size_t BreakLength(std::string_view text, size_t i, TLineBreak& lineBreak) {
  if (text[i] == '\n') {
    lineBreak = TLineBreak::LF;
    return 1;
  }
  if (text[i] != '\r') {
    return 0;
  }
  const bool crlf = i + 1 < text.size() && text[i + 1] == '\n';
  lineBreak = crlf ? TLineBreak::CRLF : TLineBreak::CR;
  return crlf ? 2 : 1;
}

std::string_view EolText(TLineBreak lineBreak) {
  switch (lineBreak) {
    case TLineBreak::CR:
      return "\r";
    case TLineBreak::LF:
      return "\n";
    case TLineBreak::CRLF:
      break;
  }
  return "\r\n";
}

}  // namespace

void TLineBreakList::MoveGap(size_t to) {
  if (to < GapStart_) {
    std::move_backward(Data_.begin() + static_cast<ptrdiff_t>(to),
                       Data_.begin() + static_cast<ptrdiff_t>(GapStart_),
                       Data_.begin() + static_cast<ptrdiff_t>(GapStart_ + GapLength_));
  } else if (to > GapStart_) {
    std::move(Data_.begin() + static_cast<ptrdiff_t>(GapStart_ + GapLength_),
              Data_.begin() + static_cast<ptrdiff_t>(to + GapLength_),
              Data_.begin() + static_cast<ptrdiff_t>(GapStart_));
  }
  GapStart_ = to;
}

void TLineBreakList::Insert(size_t at, size_t count, TLineBreak lineBreak) {
  if (count == 0) {
    return;
  }
  MoveGap(std::min(at, Size()));
  if (GapLength_ < count) {
    // The gap grows with the list, so appending a whole file's lines stays linear.
    const size_t grow = std::max(count, Data_.size() / 2 + 64);
    Data_.insert(Data_.begin() + static_cast<ptrdiff_t>(GapStart_ + GapLength_), grow,
                 TLineBreak::CRLF);
    GapLength_ += grow;
  }
  std::fill_n(Data_.begin() + static_cast<ptrdiff_t>(GapStart_), count, lineBreak);
  GapStart_ += count;
  GapLength_ -= count;
}

void TLineBreakList::Erase(size_t at, size_t count) {
  if (at >= Size()) {
    return;
  }
  count = std::min(count, Size() - at);
  MoveGap(at);
  GapLength_ += count;
}

TLoadedText LoadText(std::string_view bytes) {
  TLoadedText loaded;
  TTextFormat& format = loaded.Format;
  loaded.Text.reserve(bytes.size() + bytes.size() / 32);
  std::array<size_t, 3> counts{};
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t next = bytes.find_first_of("\r\n", i);
    if (next == std::string_view::npos) {
      loaded.Text.append(bytes.substr(i));
      break;
    }
    loaded.Text.append(bytes.substr(i, next - i));
    TLineBreak lineBreak = TLineBreak::CRLF;
    i = next + BreakLength(bytes, next, lineBreak);
    ++counts[static_cast<size_t>(lineBreak)];
    format.Breaks.Append(lineBreak);
    format.FinalBreak = i == bytes.size();
    if (!format.FinalBreak) {
      loaded.Text.append("\r\n");
    }
  }
  // The most common break; of equally common ones CR LF, then LF.
  for (const TLineBreak lineBreak : {TLineBreak::LF, TLineBreak::CR}) {
    if (counts[static_cast<size_t>(lineBreak)] > counts[static_cast<size_t>(format.Break)]) {
      format.Break = lineBreak;
    }
  }
  const size_t kinds = static_cast<size_t>(
      std::count_if(counts.begin(), counts.end(), [](size_t count) { return count > 0; }));
  if (kinds > 1) {
    format.MixedOriginal.assign(bytes);
  } else {
    // One convention says it all.
    format.Breaks = TLineBreakList();
  }
  return loaded;
}

int32_t CountLineBreaks(std::string_view text) {
  int32_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    TLineBreak lineBreak = TLineBreak::CRLF;
    if (const size_t length = BreakLength(text, i, lineBreak); length > 0) {
      ++count;
      i += length - 1;
    }
  }
  return count;
}

void NoteRemoval(TTextFormat& format, const TDocument& document, int32_t position, int32_t length) {
  if (format.Breaks.Size() == 0 || length <= 0) {
    return;
  }
  const TLineCol start = document.IndexToLineCol(position);
  const int32_t removed = document.IndexToLineCol(position + length).Line - start.Line;
  if (removed <= 0) {
    return;
  }
  // Taken out at the end of a line's text, what goes comes after that line's break.
  const int32_t lineLength = document.LineLength(start.Line);
  const bool atLineEnd = lineLength > 0 && start.Col - 1 == lineLength;
  format.Breaks.Erase(static_cast<size_t>(start.Line - 1 + (atLineEnd ? 1 : 0)),
                      static_cast<size_t>(removed));
}

void NoteInsertion(TTextFormat& format, const TDocument& document, int32_t position,
                   int32_t length) {
  if (format.Breaks.Size() == 0 || length <= 0) {
    return;
  }
  const std::string_view text = document.Text();
  const int32_t added =
      CountLineBreaks(text.substr(static_cast<size_t>(position), static_cast<size_t>(length)));
  if (added == 0) {
    return;
  }
  // Put in at the end of a line's text (a break follows what was put in, and text precedes it),
  // what comes goes after that line's break.
  const TLineCol start = document.IndexToLineCol(position);
  const auto end = static_cast<size_t>(position + length);
  const bool atLineEnd = position > document.LineStart(start.Line) && end < text.size() &&
                         (text[end] == '\r' || text[end] == '\n');
  format.Breaks.Insert(static_cast<size_t>(start.Line - 1 + (atLineEnd ? 1 : 0)),
                       static_cast<size_t>(added), format.Break);
}

std::string SaveText(std::string_view editorText, const TTextFormat& format) {
  if (!format.MixedOriginal.empty() && LoadText(format.MixedOriginal).Text == editorText) {
    return format.MixedOriginal;
  }
  const TLineBreakList& breaks = format.Breaks;
  const auto breakAt = [&](size_t index) {
    return EolText(index < breaks.Size() ? breaks.At(index) : format.Break);
  };
  std::string out;
  out.reserve(editorText.size());
  size_t index = 0;
  size_t i = 0;
  while (i < editorText.size()) {
    const size_t next = editorText.find_first_of("\r\n", i);
    if (next == std::string_view::npos) {
      out.append(editorText.substr(i));
      break;
    }
    out.append(editorText.substr(i, next - i));
    out.append(breakAt(index++));
    TLineBreak lineBreak = TLineBreak::CRLF;
    i = next + BreakLength(editorText, next, lineBreak);
  }
  if (format.FinalBreak) {
    out.append(breakAt(index));
  }
  return out;
}

}  // namespace qm
