// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/editorsearch.h"

#include <optional>
#include <string>
#include <string_view>

#include "controls/csseditor.h"
#include "model/error.h"
#include "model/text/textencoding.h"
#include "model/text/textscan.h"

namespace qm {

namespace {

// Text as the document holds it; none when its encoding cannot hold every character.
std::optional<std::string> DocumentBytes(const TCssEditor& editor, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::string_view bytes(utf8.constData(), static_cast<size_t>(utf8.size()));
  if (editor.Encoding() == TTextEncoding::Utf8) {
    return std::string(bytes);
  }
  TEightBitText eightBit = Utf8ToEightBit(bytes);
  if (eightBit.Unencodable) {
    return std::nullopt;
  }
  return std::move(eightBit.Bytes);
}

// The replacement as the document holds it; a message saying which character it cannot hold.
std::string ReplacementBytes(const TCssEditor& editor, const QString& replacement) {
  if (std::optional<std::string> bytes = DocumentBytes(editor, replacement)) {
    return std::move(*bytes);
  }
  const QByteArray utf8 = replacement.toUtf8();
  throw TError(UnencodableMessage(
      *Utf8ToEightBit(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())))
           .Unencodable));
}

struct TMatch {
  int32_t Start = -1;
  int32_t End = -1;
};

bool IsWholeWord(std::string_view text, TMatch match) {
  return (match.Start == 0 || WordSeparators.Contains(text[match.Start - 1])) &&
         (match.End >= static_cast<int32_t>(text.size()) ||
          WordSeparators.Contains(text[match.End]));
}

// The first match between from and to (the last one when from > to: searching backwards).
TMatch NextMatch(TCssEditor& editor, const std::string& pattern, int32_t from, int32_t to,
                 TFindOptions options) {
  editor.SendScintilla(
      QsciScintillaBase::SCI_SETSEARCHFLAGS,
      options.testFlag(TFindOption::MatchCase) ? QsciScintillaBase::SCFIND_MATCHCASE : 0);
  const std::string_view text = editor.Text();
  const bool backwards = from > to;
  for (;;) {
    editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, from, to);
    const auto start = static_cast<int32_t>(
        editor.SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET,
                             static_cast<unsigned long>(pattern.size()), pattern.data()));
    if (start < 0) {
      return {};
    }
    const TMatch match{
        start, static_cast<int32_t>(editor.SendScintilla(QsciScintillaBase::SCI_GETTARGETEND))};
    if (!options.testFlag(TFindOption::WholeWord) || IsWholeWord(text, match)) {
      return match;
    }
    // Past this one: a later match may overlap it.
    from = backwards ? match.End - 1 : match.Start + 1;
    if (backwards ? from <= to : from >= to) {
      return {};
    }
  }
}

}  // namespace

int TEditorSearch::Find(TCssEditor& editor, const QString& text, TFindOptions options) const {
  const std::optional<std::string> pattern = DocumentBytes(editor, text);
  if (!pattern || pattern->empty()) {
    return 0;
  }
  const bool backwards = options.testFlag(TFindOption::Backwards);
  const auto length = static_cast<int32_t>(editor.Text().size());
  const int32_t from = !options.testFlag(TFindOption::EntireScope) ? editor.Caret()
                       : backwards                                 ? length
                                                                   : 0;
  const TMatch match = NextMatch(editor, *pattern, from, backwards ? 0 : length, options);
  if (match.Start < 0) {
    return 0;
  }
  if (backwards) {
    editor.SetSelection(match.End, match.Start);
  } else {
    editor.SetSelection(match.Start, match.End);
  }
  return 1;
}

TReplacements TEditorSearch::PlanReplaceAll(TCssEditor& editor, const QString& text,
                                            const QString& replacement,
                                            TFindOptions options) const {
  TReplacements result;
  const std::optional<std::string> pattern = DocumentBytes(editor, text);
  if (!pattern || pattern->empty()) {
    return result;
  }
  const std::string by = ReplacementBytes(editor, replacement);
  const auto length = static_cast<int32_t>(editor.Text().size());
  options.setFlag(TFindOption::Backwards, false);
  for (TMatch match = NextMatch(editor, *pattern, 0, length, options); match.Start >= 0;
       match = NextMatch(editor, *pattern, match.End, length, options)) {
    result.Batch.Add({match.Start, match.End, by, match.Start + static_cast<int32_t>(by.size())});
    ++result.Count;
  }
  return result;
}

TEditBatch TEditorSearch::PlanReplaceSelection(const TCssEditor& editor,
                                               const QString& replacement) const {
  const std::string by = ReplacementBytes(editor, replacement);
  const int32_t start = editor.SelStart();
  return TEditBatch({start, editor.SelEnd(), by, start + static_cast<int32_t>(by.size())});
}

}  // namespace qm
