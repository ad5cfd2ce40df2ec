#pragma once
// The toolbar layout of a first start: the bars go left to right in rows as wide as the main
// window, in the order Main, Display, Time, Math, Transcendental, Logic, Generators,
// Non-Linear, Miscellaneous. A bar is 23 pixels per button, 8 per separator and 16 more
// wide; bars overlap their neighbour by 2 pixels and rows are 30 pixels apart.
#include <vector>

namespace ondrel::gui {

struct BarPlacement {
    int barId;
    int x;
    int y;
    int width;
    int row;  // 0 for the first row
};

// The width a bar takes in the layout.
int DefaultBarWidth(int buttons, int separators);
// The bar ids in the order the default layout places them.
std::vector<int> DefaultLayoutOrder();
// Where each bar goes for a main window windowWidth pixels wide, in layout order.
std::vector<BarPlacement> DefaultToolbarLayout(int windowWidth);

}  // namespace ondrel::gui
