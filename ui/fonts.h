#pragma once

// The program's two interface fonts. The design faces are Windows fonts; on
// other systems the nearest installed look-alike stands in. Each fallback
// list is resolved once to the first installed family, so that the font
// matcher never searches for the missing names again (which costs start-up
// time on every new size or weight).

#include <QFont>

namespace kestrix {

// The regular faces are drawn fully hinted, as the design's text is: stems
// sit on whole pixels at these small sizes. It is also the cheapest way to
// draw them, which counts at start-up: no light auto-hinting pass per glyph.

// "ＭＳ Ｐゴシック" (or a Japanese proportional Gothic) at a pixel height.
QFont JapaneseUiFont(int pixelSize);

// "Microsoft Sans Serif" (or a Western sans serif) at a point size.
QFont EnglishUiFont(int pointSize);

// The Japanese face in bold, by default unhinted. Fully hinted, the synthetic
// bold of a face without a bold member is a whole pixel wider per glyph, and
// results such as "0.075" would no longer fit their fields; only text with
// room to spare takes full hinting. Unhinted, the advances are the same on
// every system, whatever hinting its font settings ask for, and no glyph
// waits for the auto-hinter, whose first use costs the window its start-up
// time: about 0.4 ms spent on the one bold "x" of the first paint.
QFont BoldUiFont(int pixelSize, QFont::HintingPreference hinting = QFont::PreferNoHinting);

} // namespace kestrix
