#pragma once
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

// The two code pages the program's byte rules know. Code page 932 has
// double-byte characters whose second byte may look like an ASCII letter or a
// backslash; UTF-8 never reuses ASCII bytes inside a character.
enum class CodePage { Cp932, Utf8 };

// The program's code page on this platform: UTF-8.
CodePage activeCodePage();

// True when `byte` begins a character of more than one byte.
bool isLeadByte(unsigned char byte, CodePage codePage);

// Length in bytes of the character that begins at `at`. A character cut off
// by the end of the text takes what is left.
std::size_t characterLength(std::string_view text, std::size_t at, CodePage codePage);

// First index of `byte` that starts a character (never a trail byte), or npos.
std::size_t findCharacter(std::string_view text, char byte, CodePage codePage);

// Last index of any byte of `delimiters` that starts a character, or npos.
std::size_t lastDelimiter(std::string_view text, std::string_view delimiters, CodePage codePage);

// A to Z become a to z; every other byte stays as it is.
std::string asciiLower(std::string_view text);

// Text for the screen: valid UTF-8 as UTF-8, anything else as code page 932.
QString toDisplay(std::string_view bytes);

}  // namespace vesk
