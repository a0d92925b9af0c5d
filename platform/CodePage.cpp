#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include <vector>

namespace vesk {

CodePage activeCodePage()
{
    return CodePage::Utf8;
}

bool isLeadByte(unsigned char byte, CodePage codePage)
{
    if (codePage == CodePage::Cp932)
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return byte >= 0xC2 && byte <= 0xF4;
}

std::size_t characterLength(std::string_view text, std::size_t at, CodePage codePage)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (!isLeadByte(byte, codePage))
        return 1;
    std::size_t length = 2;
    if (codePage == CodePage::Utf8)
        length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    return std::min(length, text.size() - at);
}

std::size_t findCharacter(std::string_view text, char byte, CodePage codePage)
{
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i, codePage))
        if (text[i] == byte)
            return i;
    return std::string_view::npos;
}

std::size_t lastDelimiter(std::string_view text, std::string_view delimiters, CodePage codePage)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i, codePage))
        if (delimiters.find(text[i]) != std::string_view::npos)
            found = i;
    return found;
}

std::string asciiLower(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

namespace {

// Decodes code page 932 through iconv; an undecodable byte becomes U+FFFD so
// that a damaged title still shows.
QString fromCp932(std::string_view bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::string out;
    std::vector<char> buffer(bytes.size() * 3 + 4);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), outPtr);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.append("\xEF\xBF\xBD");
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0x80) {
            if (lead < 0xC2 || lead > 0xF4)
                return false;
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            if (i + length > bytes.size())
                return false;
            code = lead & (0x3F >> (length - 1));
            for (std::size_t k = 1; k < length; ++k) {
                const auto trail = static_cast<unsigned char>(bytes[i + k]);
                if ((trail & 0xC0) != 0x80)
                    return false;
                code = (code << 6) | (trail & 0x3F);
            }
            const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
            if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

QString toDisplay(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return fromCp932(bytes);
}

}  // namespace vesk
