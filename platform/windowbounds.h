// SPDX-License-Identifier: GPL-3.0-or-later
// Stored window bounds made safe to apply: a window from another screen arrangement, or from a
// damaged settings store, comes back no larger than the screen and with its title bar in reach.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace qm {

// As stored: the frame's top-left corner and the size inside the frame, any of them absurd.
struct TWindowBounds {
  int Left;
  int Top;
  int Width;
  int Height;

  friend bool operator==(const TWindowBounds&, const TWindowBounds&) = default;
};

// The bounds to apply, in the stored form, for a window whose frame adds frame around its
// contents. The frame becomes no larger than available, nor smaller than a usable minimum or the
// window's own minimum contents size (as long as available holds them). Along
// each axis a window whose title bar can still be reached keeps its place; one that cannot, or
// whose size had to change, is moved just inside available.
QRect FitWindowBounds(const TWindowBounds& stored, const QRect& available,
                      const QMargins& frame = {}, const QSize& minimum = {});

// The window of a first start, before any bounds were stored: on a screen with room for more,
// nine tenths of the available area (never less than designed), centred; otherwise as designed.
TWindowBounds FirstStartBounds(const TWindowBounds& designed, const QRect& available);

// FitWindowBounds on the screen under the stored corner, or on the primary screen when none is
// there, for a frame as wide as the style draws one (the real frame is unknown until shown).
QRect FitWindowBoundsOnScreen(const TWindowBounds& stored, const QSize& minimum);
// The available area of the screen under the stored corner, or of the primary screen.
QRect AvailableScreenArea(const TWindowBounds& stored);

}  // namespace qm
