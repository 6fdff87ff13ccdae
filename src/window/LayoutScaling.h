#pragma once

#include <QRect>
#include <QSize>

class QFont;

namespace kanatsumugi {

// The window was laid out for 96 pixels per inch and a text height of 12 pixels.
constexpr int kDesignDotsPerInch = 96;
constexpr int kDesignTextHeight = 12;

// The window font's pixel height on a screen of `dotsPerInch`.
int scaledFontPixelSize(int designPixelSize, int dotsPerInch);

// The text height of "0" in `font`: its line height (ascent plus descent), as the
// layout's basis counts it, so that the design font at 12 pixels measures 12.
// The sum is rounded once; QFontMetrics rounds each part up and would say 13.
int measuredTextHeight(const QFont& font);

// Multiplies every edge by textHeight / 12, each rounded to the nearest pixel.
QRect scaledGeometry(const QRect& designed, int textHeight);
QSize scaledSize(const QSize& designed, int textHeight);
int scaledLength(int designed, int textHeight);

} // namespace kanatsumugi
