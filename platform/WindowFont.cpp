#include "platform/WindowFont.h"

#include <QStringList>

namespace vesk {

namespace {

const char* const WindowFace = "ＭＳ Ｐゴシック";

}  // namespace

QFont windowFont()
{
    QFont::insertSubstitutions(QString::fromUtf8(WindowFace),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
    QFont font(QString::fromUtf8(WindowFace));
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace vesk
