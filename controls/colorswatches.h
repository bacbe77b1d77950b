// SPDX-License-Identifier: GPL-3.0-or-later
// Colour swatches in an editor's text: every colour on the lines shown carries an indicator drawn
// in its own colour, and Ctrl+click on one or Alt+Enter in one asks for a new colour there.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <tuple>

#include "model/assist/valuecolors.h"
#include "model/values/colortext.h"

namespace qm {

class TCssEditor;

class TColorSwatches : public QObject {
  Q_OBJECT

 public:
  // Made a child of the editor, it follows its text and view from then on.
  explicit TColorSwatches(TCssEditor* editor);

  // The editor indicator the swatches are drawn with; its value at a position is
  // SC_INDICVALUEBIT with the colour there (red in the low byte).
  int Indicator() const { return Indicator_; }
  // Marks the colours of the lines shown now, and only those; nothing happens when neither the
  // text nor the view has changed since the last time.
  void Update();
  // The colour whose text holds the document position pos or ends right before it.
  std::optional<TColorSpot> SpotAt(int32_t pos) const;

  // The declaration values in a stretch of the text [from, to): colours are marked there and
  // nowhere else (not in selectors, preludes or font names). Without it, every colour the
  // highlighter shows in a value is marked.
  using TValueRanges = std::function<std::vector<TValueRange>(int32_t from, int32_t to)>;
  void SetValueRanges(TValueRanges ranges);

 signals:
  // The user asked for a new colour in place of the one at spot (document positions).
  void PickRequested(qm::TColorSpot spot);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A stretch of one line to look for colours in: the whole line when it is short, else the
  // part around [from, to) widened to whole declarations.
  struct TStretch {
    int32_t Start = 0;
    int32_t End = 0;
  };
  TStretch Around(int32_t line, int32_t from, int32_t to) const;
  // The stretch of a line shown at the given row of the view.
  TStretch Shown(int32_t line, int y) const;
  std::vector<TColorSpot> ColorsIn(TStretch stretch) const;
  // Of spots, those inside the values of [from, to).
  std::vector<TColorSpot> InValues(std::vector<TColorSpot> spots, int32_t from, int32_t to) const;
  void ScheduleUpdate();
  void RequestPick(int32_t pos);

  TCssEditor* Editor;
  TValueRanges ValueRanges;
  int Indicator_ = -1;
  int Frame = -1;
  bool UpdateQueued = false;
  // Where a click with Ctrl held went down on a swatch, until the button is released.
  std::optional<int32_t> CtrlClickAt;
  // What the marks were made for: first line shown, lines shown, horizontal scroll, width, text.
  std::optional<std::tuple<long, long, long, int, uint64_t>> Marked;
};

}  // namespace qm
