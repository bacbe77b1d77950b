// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/colorpick.h"

#include <QColor>

#include "app/opendocument.h"
#include "controls/colorswatches.h"
#include "model/assist/valuecolors.h"
#include "model/values/colortext.h"
#include "platform/commandguard.h"
#include "platform/prompts.h"

namespace qm {

namespace {

void PickColor(TOpenDocument& document, TPrompts& prompts, const TColorSpot& spot) {
  const auto range = [&] {
    return std::string(document.Editor()->Text().substr(static_cast<size_t>(spot.Start),
                                                        static_cast<size_t>(spot.Length)));
  };
  const std::string old = range();
  const std::optional<QColor> picked = prompts.ChooseColor(
      QColor(spot.Color & 0xFF, (spot.Color >> 8) & 0xFF, (spot.Color >> 16) & 0xFF));
  // The text may have changed while the dialog was open; then the pick has nothing to replace.
  if (!picked || range() != old) {
    return;
  }
  const int32_t color = picked->red() | (picked->green() << 8) | (picked->blue() << 16);
  const std::string written = ColorInNotation(old, color);
  if (written == old) {
    return;
  }
  const int32_t end = spot.Start + spot.Length;
  document.Apply(TEditBatch(
      TTextEdit{spot.Start, end, written, spot.Start + static_cast<int32_t>(written.size())}));
}

}  // namespace

void AddColorPicking(TOpenDocument& document, TPrompts& prompts) {
  auto* swatches = new TColorSwatches(document.Editor());
  swatches->SetValueRanges([&document](int32_t from, int32_t to) {
    return ColorValueRanges(*document.Editor(), document.Blocks(), from, to);
  });
  QObject::connect(swatches, &TColorSwatches::PickRequested, &document,
                   [&document, &prompts](const TColorSpot& spot) {
                     RunCommand(prompts, [&] { PickColor(document, prompts, spot); });
                   });
}

}  // namespace qm
