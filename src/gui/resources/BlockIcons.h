#pragma once
// The program's images, painted in code as vectors so that they stay crisp at every size:
// the block icons (a 23 x 23 design per block type, colour and monochrome), the toolbar
// images, the chart's port and initialisation markers and the placing cursor.
//
// Block icons are addressed by their bitmap id (the colour icon; the monochrome one is
// id + 500, which BlockIconImage also accepts). Unknown ids give a neutral framed square,
// never an empty image.
#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QImage>

namespace ondrel::gui {

// Bitmap id offset of a block type's monochrome icon.
inline constexpr int kMonochromeIconOffset = 500;

// The chart's markers, as the drawing stretches them.
inline constexpr int kPortMarkerBitmap = 179;        // 1 x 5, solid black
inline constexpr int kInitMarkBitmap = 291;          // 2 x 8, solid red
inline constexpr int kInitMarkPrintBitmap = 298;     // 2 x 8, solid black (black-and-white print)

// The block icon design drawn into a pixelSize x pixelSize image (ARGB32, opaque).
QImage BlockIconImage(int bitmapId, bool monochrome, int pixelSize);
// The block icon for tool buttons, at 1x to 4x of the design size.
QIcon BlockToolIcon(int bitmapId);
// The toolbar image of a command: the Main and Display bars' commands and every block
// command (through its type's icon). A plain framed square for anything else.
QIcon CommandIcon(int commandId);
// The cursor the chart view shows while a block waits to be placed.
QCursor PlacingCursor();

// A marker bitmap at its own size (1 x 5 or 2 x 8 pixels); a null image for other ids.
QImage MarkerImage(int bitmapId);
// The single colour a marker bitmap is filled with (black for unknown ids).
QColor MarkerColor(int bitmapId);

}  // namespace ondrel::gui
