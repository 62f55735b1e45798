#include "editing/MainLayout.h"

#include <cmath>

namespace vel {

namespace {
int Twips(double value) { return int(std::lround(value)); }
}  // namespace

void LayoutPass(MainLayout& l, int width, int height, int statusBarHeight, double tppX, double tppY) {
    const double W = width;
    const double H = height;
    const int T = MainLayout::kContainerTop;
    const int L = MainLayout::kContainerLeft;

    // Container: reaches down to the status bar with equal side margins.
    if (const int h = Twips(H - (statusBarHeight + T)); h >= 0) l.container.height = h;
    if (const int w = Twips(W - 2 * L); w >= 0) l.container.width = w;

    l.gridToolbar.left = Twips(2 * tppX);
    l.gridToolbar.top = Twips(2 * tppY);

    const int gridLeft = Twips(tppX);
    l.grid.left = gridLeft;
    l.grid.top = l.gridToolbar.top + l.gridToolbar.height;
    if (const int h = l.container.height - (l.grid.top + 2 * gridLeft); h >= 0) l.grid.height = h;
    if (const int w = l.container.width - 2 * gridLeft; w >= 0) l.grid.width = w;
    l.columnWidth = Twips(l.grid.width / 5.0);

    l.caseSensitive.left = Twips(W - l.caseSensitive.width);
    if (const int w = Twips(W - (3 * l.comment.left + l.caseSensitive.width)); w >= 0) l.comment.width = w;

    // Six equal slots of a sixth of the container: five fields, then Add.
    for (int i = 0; i < 5; ++i) {
        if (const int w = Twips(l.container.width / 6.0 - 2 * tppX); w >= 0) l.fields[i].width = w;
        // A label spans its field, so a longer caption is not cut short.
        l.fieldLabels[i].width = l.fields[i].width;
        if (i > 0) {
            l.fields[i].left = l.fields[i - 1].left + l.fields[i - 1].width + Twips(2 * tppX);
            l.fieldLabels[i].left = l.fields[i].left;
        }
    }
    l.add.width = l.fields[0].width;
    l.add.left = l.container.left + l.container.width - l.add.width;
}

}  // namespace vel
