#include "platform/CodePage.h"

#include <gtest/gtest.h>

using vesk::CodePage;

TEST(CodePage, SearchSkipsSecondBytesOfCp932Characters)
{
    // 0x83 0x62 is a katakana letter whose second byte reads as "b";
    // 0x95 0x5C is a kanji whose second byte reads as a backslash.
    const std::string katakanaB = "\x83\x62";
    const std::string kanjiBackslash = "\x95\x5C";
    EXPECT_EQ(vesk::findCharacter(katakanaB, 'b', CodePage::Cp932), std::string::npos);
    EXPECT_EQ(vesk::findCharacter(katakanaB + "b", 'b', CodePage::Cp932), 2u);
    EXPECT_EQ(vesk::findCharacter(katakanaB, 'b', CodePage::Utf8), 1u);
    EXPECT_EQ(vesk::findCharacter("\x62\x83", 'b', CodePage::Cp932), 0u);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(vesk::findCharacter("a\x83", '\x83', CodePage::Cp932), 1u);

    EXPECT_EQ(vesk::lastDelimiter("C:\\" + kanjiBackslash + "\\vesk.exe", "\\:", CodePage::Cp932), 5u);
    EXPECT_EQ(vesk::lastDelimiter("C:\\" + kanjiBackslash, "\\:", CodePage::Cp932), 2u);
    EXPECT_EQ(vesk::lastDelimiter("/opt/ゲーム/vesk", "/", CodePage::Utf8), 14u);
    EXPECT_EQ(vesk::lastDelimiter("vesk", "/", CodePage::Utf8), std::string::npos);
}

TEST(CodePage, LeadBytes)
{
    for (int byte : {0x81, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(vesk::isLeadByte(static_cast<unsigned char>(byte), CodePage::Cp932)) << byte;
    for (int byte : {0x41, 0x80, 0xA0, 0xDF, 0xFD})
        EXPECT_FALSE(vesk::isLeadByte(static_cast<unsigned char>(byte), CodePage::Cp932)) << byte;
    EXPECT_EQ(vesk::characterLength("ゲ", 0, CodePage::Utf8), 3u);
    EXPECT_EQ(vesk::characterLength("\xE3\x82", 0, CodePage::Utf8), 2u);
    EXPECT_EQ(vesk::activeCodePage(), CodePage::Utf8);
}

TEST(CodePage, LowerCasesAsciiLettersOnly)
{
    EXPECT_EQ(vesk::asciiLower("ABC xyz /B-Z@[\xC3\x89]"), "abc xyz /b-z@[\xC3\x89]");
}

TEST(CodePage, DisplaysUtf8AsItIsAndAnythingElseAsCp932)
{
    EXPECT_EQ(vesk::toDisplay("セーブ"), QString::fromUtf8("セーブ"));
    EXPECT_EQ(vesk::toDisplay("\x83\x5A\x81\x5B\x83\x75"), QString::fromUtf8("セーブ"));
    EXPECT_EQ(vesk::toDisplay("plain"), QStringLiteral("plain"));
    // Bytes that neither code page can decode still show.
    EXPECT_EQ(vesk::toDisplay("A\xFF"), QString::fromUtf8("A\xEF\xBF\xBD"));
    EXPECT_EQ(vesk::toDisplay("A\x83"), QString::fromUtf8("A\xEF\xBF\xBD"));
}
