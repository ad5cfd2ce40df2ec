#pragma once
// Logical-font descriptions (as charts and the profile store them) to and from QFont.
//
// The mapping:
// - height: a negative height is the character height in pixels of a 96-dpi screen, so
//   -13 is 13 px = 9.75 pt; a positive height is the cell height, taken as the same size
//   (the difference is the internal leading, which QFont does not expose); 0 is 10 pt.
//   Back from QFont: height = -round(points * 96 / 72), so 9.75 pt gives -13 again.
// - weight: the same 100..900 scale in both (0, "don't care", is normal, 400).
// - italic, underline, strike-out: flags both ways.
// - face name <-> family (cut to 31 characters).
// - pitch-and-family: its family bits give the style hint (roman = serif, swiss = sans
//   serif, modern = typewriter, script = cursive, decorative = decorative).
// - width, escapement, orientation, character set, precisions and quality have no QFont
//   counterpart: they are carried over from the description the font was chosen from.
#include <QFont>

#include "core/platform/FontDescription.h"

namespace ondrel::gui {

QFont ToQFont(const FontDescription& description);
FontDescription FromQFont(const QFont& font, const FontDescription& base);

}  // namespace ondrel::gui
