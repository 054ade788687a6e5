#pragma once
// The program's pictures: its icon, the strip in the window's bottom-left
// corner (the logo, "Tessarin", "EDID viewer"), and the report's pictures as
// the pane shows them.
#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPalette;

namespace tessarin {

// The icon at 64, 128 and 256 pixels; Qt picks the sharpest for the screen.
QIcon ProgramIcon();

// The strip, 300 x 71 device-independent pixels: the logo on a transparent
// ground and the two texts in `palette`'s window-text and link colours, so it
// reads on a dark theme as on a light one. Drawn at `devicePixelRatio` so a
// scaled screen shows it sharp.
QPixmap LogoStrip(const QPalette& palette, qreal devicePixelRatio);

// `image` with the pure white that reaches its border made transparent: the
// report's logo sits on white, which a dark theme would show as a white box.
// White inside the picture stays.
QImage WithoutWhiteGround(const QImage& image);

} // namespace tessarin
