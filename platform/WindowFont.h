#pragma once
#include <QFont>

namespace vesk {

// The font of the program's windows: "ＭＳ Ｐゴシック" at 12 pixels. Where
// that face is missing, IPAPGothic (its metric twin) stands in, then another
// Japanese gothic.
QFont windowFont();

}  // namespace vesk
