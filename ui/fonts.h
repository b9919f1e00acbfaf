#pragma once

// The program's two interface fonts. The design faces are Windows fonts; on
// other systems the nearest installed look-alike stands in. Each fallback
// list is resolved once to the first installed family, so that the font
// matcher never searches for the missing names again (which costs start-up
// time on every new size or weight).

#include <QFont>

namespace kestrix {

// "ＭＳ Ｐゴシック" (or a Japanese proportional Gothic) at a pixel height.
QFont JapaneseUiFont(int pixelSize);

// "Microsoft Sans Serif" (or a Western sans serif) at a point size.
QFont EnglishUiFont(int pointSize);

} // namespace kestrix
