#pragma once
#include <string>

namespace vesk {

// A private-profile (INI) file: "[section]" header lines and "key=value"
// lines. Section and key names are matched without regard to ASCII case and
// without the blanks around them; a value is every byte after the first "=".

// At most this many bytes of a value are read.
inline constexpr std::size_t MaxProfileValue = 1023;

// The value, or `defaultValue` when the file, the section or the key is
// missing. A key present with an empty value gives the empty text. Never
// raises and never creates the file.
std::string readProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& path);

// Sets the key to `value`, creating the file, the section or the key where it
// is missing and keeping every other line as it was. The file is replaced
// atomically. Raises "<path> に書き込めません" when it cannot be written.
void writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

}  // namespace vesk
