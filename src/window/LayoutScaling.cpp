#include "window/LayoutScaling.h"

#include <QFont>
#include <QFontMetricsF>

#include <cmath>

namespace kanatsumugi {

namespace {

int scaleEdge(int edge, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(edge) * numerator / denominator));
}

} // namespace

int scaledFontPixelSize(int designPixelSize, int dotsPerInch) {
    return scaleEdge(designPixelSize, dotsPerInch, kDesignDotsPerInch);
}

int measuredTextHeight(const QFont& font) {
    const QFontMetricsF metrics(font);
    return static_cast<int>(std::lround(metrics.ascent() + metrics.descent()));
}

int scaledLength(int designed, int textHeight) {
    return scaleEdge(designed, textHeight, kDesignTextHeight);
}

QRect scaledGeometry(const QRect& designed, int textHeight) {
    const int left = scaledLength(designed.x(), textHeight);
    const int top = scaledLength(designed.y(), textHeight);
    const int right = scaledLength(designed.x() + designed.width(), textHeight);
    const int bottom = scaledLength(designed.y() + designed.height(), textHeight);
    return {left, top, right - left, bottom - top};
}

QSize scaledSize(const QSize& designed, int textHeight) {
    return {scaledLength(designed.width(), textHeight),
            scaledLength(designed.height(), textHeight)};
}

} // namespace kanatsumugi
