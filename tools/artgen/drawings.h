// The artwork of the setup program, drawn on canvases.
#pragma once

#include "canvas.h"

namespace k7x::artgen {

// Bitmap 144: the welcome page's side picture, 164 x 314, a receipt printer and a paper roll
// on a blue gradient.
Canvas DrawSidePicture();
// Bitmap 145: the banner logo, 53 x 53, a printer in front of an installation disc, on white.
Canvas DrawLogo();
// Icon 128: a printer glyph of 32 or 16 pixels on a transparent ground; `shaded` uses the
// 256-colour palette's greys, otherwise only the standard 16 colours.
Canvas DrawAppIcon(int size, bool shaded);

// A front view of a receipt printer filling `body`, its receipt rising from the paper slot up to
// `receiptTop`, with a soft shadow below; every part scales with the body.
void DrawReceiptPrinter(Canvas& canvas, Box body, int receiptTop);

}  // namespace k7x::artgen
