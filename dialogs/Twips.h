#pragma once
// Window geometry designed in twips (1/1440 inch), placed in pixels with the
// screen's twips per pixel, read separately across and down.
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vel {

struct TwipScale {
    double x = 15.0;  // twips per horizontal pixel
    double y = 15.0;  // twips per vertical pixel

    static TwipScale Of(const QWidget* w) {
        return {1440.0 / std::max(1, w->logicalDpiX()), 1440.0 / std::max(1, w->logicalDpiY())};
    }
    int PxX(double twips) const { return int(std::lround(twips / x)); }
    int PxY(double twips) const { return int(std::lround(twips / y)); }
    int TwX(int px) const { return int(std::lround(px * x)); }
    int TwY(int px) const { return int(std::lround(px * y)); }
    QRect Rect(int left, int top, int width, int height) const {
        return {PxX(left), PxY(top), PxX(width), PxY(height)};
    }
};

}  // namespace vel
