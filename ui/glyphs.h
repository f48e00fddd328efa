// The window's pictures, drawn for it: the two flags and the glyphs of the
// refresh and break buttons.
#pragma once

#include <QPixmap>

namespace glyphs {

QPixmap RussianFlag();   // 16 x 11
QPixmap BritishFlag();   // 16 x 11
QPixmap RussianFlagIcon();  // 16 x 16, for the country list
QPixmap TricolourIcon();    // 16 x 16, the list's second image
QPixmap Refresh();       // two green circling arrows
QPixmap BreakCross();    // a white cross on red

}  // namespace glyphs
