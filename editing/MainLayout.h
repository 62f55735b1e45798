#pragma once
// The main window's layout pass, in twips, free of any widget: the window
// feeds it the client size and the screen's twips per pixel and places its
// controls from the rectangles it leaves. A step whose result would be a
// negative size is skipped, so the control keeps its last place and size.
#include <array>

namespace vel {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

struct MainLayout {
    // Design measures; the pass keeps these fixed.
    static constexpr int kToolbarHeight = 420;
    static constexpr int kContainerLeft = 120;
    static constexpr int kContainerTop = 2040;
    static constexpr int kStatusBarHeight = 390;

    // Client-area coordinates unless noted.
    TwipRect commentLabel{120, 480, 660, 195};
    TwipRect comment{120, 720, 4425, 315};
    TwipRect caseSensitive{5685, 720, 3015, 315};
    std::array<TwipRect, 5> fieldLabels{{{120, 1260, 1335, 195},
                                          {1485, 1260, 1335, 195},
                                          {2850, 1260, 1335, 195},
                                          {4215, 1260, 1335, 195},
                                          {5580, 1260, 1335, 195}}};
    std::array<TwipRect, 5> fields{{{120, 1500, 1335, 435},
                                     {1485, 1500, 1335, 435},
                                     {2850, 1500, 1335, 435},
                                     {4215, 1500, 1335, 435},
                                     {5580, 1500, 1335, 435}}};
    TwipRect add{6945, 1500, 1335, 435};
    TwipRect container{kContainerLeft, kContainerTop, 8580, 4935};
    // Inside the container, in its own coordinates; the grid toolbar's size
    // is its own and is an input to the pass.
    TwipRect gridToolbar{30, 15, 1500, 390};
    TwipRect grid{15, 405, 8550, 4515};
    int columnWidth = 1710;
};

// One pass for a client area of width x height twips with a status bar of
// statusBarHeight twips, at the given twips per pixel across and down.
void LayoutPass(MainLayout& layout, int width, int height, int statusBarHeight, double twipsPerPixelX,
                double twipsPerPixelY);

}  // namespace vel
