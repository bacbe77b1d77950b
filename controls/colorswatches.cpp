// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/colorswatches.h"

#include <QColor>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "controls/csseditor.h"

namespace qm {

namespace {

using Sci = QsciScintillaBase;

// Lines up to this long are looked at whole; of a longer one (a minified sheet) only the part in
// view, so a screenful costs the same whatever the lines hold.
constexpr int32_t kWholeLine = 2000;
// How far a long line's stretch reaches beyond the view, and how far further it may go to end at
// a declaration's edge: a colour partly in view is whole in the stretch.
constexpr int32_t kMargin = 64;
constexpr int32_t kToEdge = 256;

bool IsDeclarationEdge(char c) {
  return c == ';' || c == '{' || c == '}';
}

}  // namespace

TColorSwatches::TColorSwatches(TCssEditor* editor) : QObject(editor), Editor(editor) {
  // The colour fills the box under the text, light enough to read the text on; a grey frame
  // shows where a colour as light as the paper is.
  Indicator_ = Editor->indicatorDefine(QsciScintilla::StraightBoxIndicator);
  Editor->SendScintilla(Sci::SCI_INDICSETFLAGS, Indicator_, Sci::SC_INDICFLAG_VALUEBEFORE);
  Editor->SendScintilla(Sci::SCI_INDICSETUNDER, Indicator_, 1L);
  Editor->SendScintilla(Sci::SCI_INDICSETALPHA, Indicator_, 120L);
  Editor->SendScintilla(Sci::SCI_INDICSETOUTLINEALPHA, Indicator_, 0L);
  Frame = Editor->indicatorDefine(QsciScintilla::BoxIndicator);
  Editor->setIndicatorForegroundColor(QColor(128, 128, 128), Frame);

  connect(Editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
    if ((updated & (Sci::SC_UPDATE_CONTENT | Sci::SC_UPDATE_V_SCROLL | Sci::SC_UPDATE_H_SCROLL)) !=
        0) {
      ScheduleUpdate();
    }
  });
  // The release reports no modifiers: the press tells whether Ctrl was held.
  connect(
      Editor, &QsciScintillaBase::SCN_INDICATORCLICK, this, [this](int position, int modifiers) {
        CtrlClickAt =
            (modifiers & Sci::SCMOD_CTRL) != 0 ? std::optional<int32_t>(position) : std::nullopt;
      });
  connect(Editor, &QsciScintillaBase::SCN_INDICATORRELEASE, this, [this](int, int) {
    if (const std::optional<int32_t> pos = std::exchange(CtrlClickAt, std::nullopt)) {
      RequestPick(*pos);
    }
  });
  Editor->installEventFilter(this);
}

bool TColorSwatches::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
    ScheduleUpdate();
  } else if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
      if (const std::optional<TColorSpot> spot = SpotAt(Editor->Caret())) {
        emit PickRequested(*spot);
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void TColorSwatches::SetValueRanges(TValueRanges ranges) {
  ValueRanges = std::move(ranges);
  Marked.reset();
  ScheduleUpdate();
}

std::vector<TColorSpot> TColorSwatches::InValues(std::vector<TColorSpot> spots, int32_t from,
                                                 int32_t to) const {
  if (!ValueRanges || spots.empty()) {
    return spots;
  }
  return SpotsInValues(spots, ValueRanges(from, to));
}

void TColorSwatches::ScheduleUpdate() {
  // After the paint that reported the change: the lines shown are styled by then.
  if (!std::exchange(UpdateQueued, true)) {
    QTimer::singleShot(0, this, [this] {
      UpdateQueued = false;
      Update();
    });
  }
}

void TColorSwatches::RequestPick(int32_t pos) {
  // Once the click is over: the dialog must not open inside the editor's mouse handling.
  QTimer::singleShot(0, this, [this, pos] {
    if (const std::optional<TColorSpot> spot = SpotAt(pos)) {
      emit PickRequested(*spot);
    }
  });
}

TColorSwatches::TStretch TColorSwatches::Around(int32_t line, int32_t from, int32_t to) const {
  const auto start = static_cast<int32_t>(Editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, line));
  const auto end = static_cast<int32_t>(Editor->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line));
  if (end - start <= kWholeLine) {
    return {start, end};
  }
  TStretch stretch{std::max(start, from - kMargin), std::min(end, to + kMargin)};
  const int32_t lowest = std::max(start, stretch.Start - kToEdge);
  const int32_t highest = std::min(end, stretch.End + kToEdge);
  // Only the bytes looked at: asking for the whole line would move the editor's gap across it.
  const auto* bytes = reinterpret_cast<const char*>(
      Editor->SendScintilla(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(lowest),
                            static_cast<long>(highest - lowest)));
  const auto at = [&](int32_t pos) { return bytes[pos - lowest]; };
  // Back to just after a declaration's edge, else to a blank: never inside a word.
  int32_t s = stretch.Start;
  while (s > lowest && !IsDeclarationEdge(at(s - 1))) {
    --s;
  }
  if (s == lowest && s > start) {
    for (s = stretch.Start; s > lowest && at(s - 1) != ' '; --s) {
    }
  }
  stretch.Start = s;
  int32_t e = stretch.End;
  while (e < highest && !IsDeclarationEdge(at(e))) {
    ++e;
  }
  if (e == highest && e < end) {
    for (e = stretch.End; e < highest && at(e) != ' '; ++e) {
    }
  }
  stretch.End = e;
  return stretch;
}

TColorSwatches::TStretch TColorSwatches::Shown(int32_t line, int y) const {
  const auto start = static_cast<int32_t>(Editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, line));
  const auto end = static_cast<int32_t>(Editor->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line));
  if (end - start <= kWholeLine) {
    return {start, end};
  }
  const int width = Editor->viewport()->width();
  const auto from = static_cast<int32_t>(
      Editor->SendScintilla(Sci::SCI_POSITIONFROMPOINT, 0UL, static_cast<long>(y)));
  const auto to = static_cast<int32_t>(Editor->SendScintilla(
      Sci::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(width), static_cast<long>(y)));
  return Around(line, from, to);
}

std::vector<TColorSpot> TColorSwatches::ColorsIn(TStretch stretch) const {
  const int32_t length = stretch.End - stretch.Start;
  if (length <= 0) {
    return {};
  }
  if (Editor->SendScintilla(Sci::SCI_GETENDSTYLED) < stretch.End) {
    Editor->SendScintilla(Sci::SCI_COLOURISE, Editor->SendScintilla(Sci::SCI_GETENDSTYLED),
                          static_cast<long>(stretch.End));
  }
  // Each byte followed by its style, and two closing NULs.
  std::vector<char> styled(2 * static_cast<size_t>(length) + 2);
  Editor->SendScintilla(Sci::SCI_GETSTYLEDTEXT, static_cast<long>(stretch.Start),
                        static_cast<long>(stretch.End), styled.data());
  std::string text(static_cast<size_t>(length), '\0');
  std::vector<TTokenKind> kinds(static_cast<size_t>(length));
  for (size_t i = 0; i < text.size(); ++i) {
    text[i] = styled[2 * i];
    kinds[i] = static_cast<TTokenKind>(styled[2 * i + 1]);
  }
  std::vector<TColorSpot> spots = FindColors(text, kinds);
  for (TColorSpot& spot : spots) {
    spot.Start += stretch.Start;
  }
  return spots;
}

void TColorSwatches::Update() {
  const long first = Editor->SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE,
                                           Editor->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
  const long shown = Editor->SendScintilla(Sci::SCI_LINESONSCREEN) + 1;
  const auto view = std::make_tuple(first, shown, Editor->SendScintilla(Sci::SCI_GETXOFFSET),
                                    Editor->viewport()->width(), Editor->TextVersion());
  if (Marked == view) {
    return;
  }
  Marked = view;
  std::vector<TColorSpot> found;
  const long lines = Editor->SendScintilla(Sci::SCI_GETLINECOUNT);
  const long height = Editor->SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL);
  const long last = std::min(lines, first + shown);
  for (long line = first; line < last; ++line) {
    const int y = static_cast<int>((line - first) * height + height / 2);
    for (const TColorSpot& spot : ColorsIn(Shown(static_cast<int32_t>(line), y))) {
      found.push_back(spot);
    }
  }
  const int32_t from = found.empty() ? 0 : found.front().Start;
  const int32_t to = found.empty() ? 0 : found.back().Start + found.back().Length;
  const std::vector<TColorSpot> spots = InValues(std::move(found), from, to);
  const auto length = Editor->SendScintilla(Sci::SCI_GETLENGTH);
  for (const int indicator : {Indicator_, Frame}) {
    Editor->SendScintilla(Sci::SCI_SETINDICATORCURRENT, indicator);
    Editor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL, length);
    for (const TColorSpot& spot : spots) {
      if (indicator == Indicator_) {
        Editor->SendScintilla(Sci::SCI_SETINDICATORVALUE,
                              static_cast<unsigned long>(Sci::SC_INDICVALUEBIT | spot.Color));
      }
      Editor->SendScintilla(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(spot.Start),
                            static_cast<long>(spot.Length));
    }
  }
}

std::optional<TColorSpot> TColorSwatches::SpotAt(int32_t pos) const {
  const auto line = static_cast<int32_t>(Editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos));
  for (const TColorSpot& spot : ColorsIn(Around(line, pos, pos))) {
    if (spot.Start <= pos && pos <= spot.Start + spot.Length) {
      const std::vector<TColorSpot> kept = InValues({spot}, spot.Start, spot.Start + spot.Length);
      return kept.empty() ? std::nullopt : std::optional<TColorSpot>(spot);
    }
  }
  return std::nullopt;
}

}  // namespace qm
