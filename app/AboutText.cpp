#include "app/AboutText.h"

#include <cstdio>

namespace vesk {

std::string aboutText(std::uint16_t archiverVersion)
{
    // The library reports its version in hundredths: 200 is ver2.00.
    char version[16];
    std::snprintf(version, sizeof version, "%u.%02u", archiverVersion / 100u, archiverVersion % 100u);
    return std::string("Vesk ver1.00\n") +
           "ゲームのセーブデータを LZH 書庫にバックアップし、リストアするツールです。\n\n" +
           "アーカイバ: unlha ver" + version + "（UNLHA32.DLL 互換）";
}

}  // namespace vesk
