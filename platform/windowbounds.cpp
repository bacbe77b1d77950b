// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowbounds.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <climits>

namespace qm {

namespace {

// Below this a window cannot be used, nor easily grabbed to be made larger.
constexpr int kMinimumSide = 100;
// How much of the title bar must lie on the screen for the window to be dragged back: this much
// of its width, and its top row as high as a title bar.
constexpr int kGripLength = 100;
constexpr int kTitleHeight = 30;

// One axis: the frame's start and the contents' length, as applied.
struct TSpan {
  int Start;
  int Length;
};

TSpan Fit(int start, int length, int minimum, int areaStart, int areaLength, int before, int after,
          bool reachable(long long start, long long frame, long long areaStart, long long area)) {
  // 64-bit throughout: stored values near the int limits plus a frame or an area would overflow.
  const long long smallest = std::max(kMinimumSide, minimum + before + after);
  const long long frame =
      std::clamp<long long>(static_cast<long long>(length) + before + after,
                            std::min<long long>(smallest, areaLength), areaLength);
  const long long stored = static_cast<long long>(length) + before + after;
  long long placed = start;
  // A window whose size had to change is no longer where its user put it: it goes just inside.
  if (frame != stored || !reachable(placed, frame, areaStart, areaLength)) {
    placed = std::clamp<long long>(placed, areaStart, areaStart + areaLength - frame);
  }
  return {static_cast<int>(placed), static_cast<int>(frame) - before - after};
}

bool GripVisible(long long start, long long frame, long long areaStart, long long area) {
  const long long grip = std::min<long long>(kGripLength, frame);
  return start + frame - grip >= areaStart && start + grip <= areaStart + area;
}

bool TitleVisible(long long start, long long frame, long long areaStart, long long area) {
  return start >= areaStart && start + std::min<long long>(kTitleHeight, frame) <= areaStart + area;
}

}  // namespace

QRect FitWindowBounds(const TWindowBounds& stored, const QRect& available, const QMargins& frame,
                      const QSize& minimum) {
  const TSpan x = Fit(stored.Left, stored.Width, std::max(0, minimum.width()), available.x(),
                      available.width(), frame.left(), frame.right(), GripVisible);
  const TSpan y = Fit(stored.Top, stored.Height, std::max(0, minimum.height()), available.y(),
                      available.height(), frame.top(), frame.bottom(), TitleVisible);
  return {x.Start, y.Start, x.Length, y.Length};
}

TWindowBounds FirstStartBounds(const TWindowBounds& designed, const QRect& available) {
  // A screen not much larger than the designed window keeps it; on a larger one the window
  // takes most of the screen, leaving a margin around it for the frame and the desktop.
  if (available.width() * 2 / 3 <= designed.Width &&
      available.height() * 2 / 3 <= designed.Height) {
    return designed;
  }
  const int width = std::max(designed.Width, available.width() * 9 / 10);
  const int height = std::max(designed.Height, available.height() * 9 / 10);
  return {available.x() + (available.width() - width) / 2,
          available.y() + (available.height() - height) / 2, width, height};
}

QRect AvailableScreenArea(const TWindowBounds& stored) {
  const QScreen* screen = QGuiApplication::screenAt(QPoint(stored.Left, stored.Top));
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  // Geometry in device-independent pixels, so a scaled screen never takes a larger window.
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QRect FitWindowBoundsOnScreen(const TWindowBounds& stored, const QSize& minimum) {
  const QStyle* style = QApplication::style();
  const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QMargins frame(border, border + style->pixelMetric(QStyle::PM_TitleBarHeight), border,
                       border);
  return FitWindowBounds(stored, AvailableScreenArea(stored), frame, minimum);
}

}  // namespace qm
