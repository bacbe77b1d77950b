// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text/textfile.h"

#include <algorithm>

namespace qm {

namespace {

// Joins the lines of text (split at CR LF, CR or LF) with eol; returns whether text ended with
// a break. The final break itself is not appended.
bool JoinLines(std::string_view text, std::string_view eol, std::string& out) {
  out.clear();
  out.reserve(text.size() + text.size() / 32);
  bool endedWithBreak = false;
  size_t i = 0;
  while (i < text.size()) {
    const size_t next = text.find_first_of("\r\n", i);
    if (next == std::string_view::npos) {
      out.append(text.substr(i));
      endedWithBreak = false;
      break;
    }
    out.append(text.substr(i, next - i));
    i = next + ((text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1);
    endedWithBreak = i == text.size();
    if (!endedWithBreak) {
      out.append(eol);
    }
  }
  return endedWithBreak;
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

TLoadedText LoadText(std::string_view bytes) {
  TLoadedText loaded;
  const bool hasCr = bytes.find('\r') != std::string_view::npos;
  const bool hasLf = bytes.find('\n') != std::string_view::npos;
  loaded.Format.Break = (hasCr && !hasLf)   ? TLineBreak::CR
                        : (hasLf && !hasCr) ? TLineBreak::LF
                                            : TLineBreak::CRLF;
  loaded.Format.FinalBreak = JoinLines(bytes, "\r\n", loaded.Text);
  if (SaveText(loaded.Text, loaded.Format) != bytes) {
    loaded.Format.MixedOriginal.assign(bytes);
  }
  return loaded;
}

std::string SaveText(std::string_view editorText, const TTextFormat& format) {
  if (!format.MixedOriginal.empty()) {
    TTextFormat plain = format;
    plain.MixedOriginal.clear();
    std::string asLoaded;
    JoinLines(format.MixedOriginal, "\r\n", asLoaded);
    if (asLoaded == editorText) {
      return format.MixedOriginal;
    }
    return SaveText(editorText, plain);
  }
  const std::string_view eol = EolText(format.Break);
  std::string out;
  // A break at the very end of the editor text is an empty last line, not the final break.
  std::string body;
  JoinLines(editorText, eol, body);
  const bool trailing =
      !editorText.empty() && (editorText.back() == '\n' || editorText.back() == '\r');
  out = std::move(body);
  if (trailing) {
    out.append(eol);
  }
  if (format.FinalBreak) {
    out.append(eol);
  }
  return out;
}

}  // namespace qm
