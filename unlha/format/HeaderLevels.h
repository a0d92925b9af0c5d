#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "unlha/format/Archive.h"
#include "unlha/format/ExtendedHeaders.h"
#include "unlha/format/HeaderBytes.h"

// The readers and writers of each header level, and what they share.
namespace unlha::headers {

constexpr std::size_t kCommonSize = 22;  // bytes every level has: up to the level byte and one more
constexpr std::uint8_t kReservedByte = 0x20;  // offset 19 at levels 1 and 2
constexpr std::uint8_t kOsUnix = 'U';

// Each reader gets the first kCommonSize bytes already in `h`, pulls the rest,
// and fills `m` with what the header says.
void readLevel0(HeaderBytes& h, Member& m);
void readLevel1(HeaderBytes& h, Member& m);
void readLevel2(HeaderBytes& h, Member& m);
void readLevel3(HeaderBytes& h, Member& m);

std::vector<std::uint8_t> writeLevel0(const Member& m);
std::vector<std::uint8_t> writeLevel1(const Member& m);
std::vector<std::uint8_t> writeLevel2(const Member& m);

// Offsets 2..18: method id, two 32-bit sizes and the raw time field.
struct CommonFields {
    std::string methodId;
    std::uint32_t size1 = 0;  // packed size (level 1: skip size)
    std::uint32_t originalSize = 0;
    std::uint32_t time = 0;
};
CommonFields readCommon(const HeaderBytes& h);
void writeCommon(HeaderBuilder& out, const Member& m, std::uint32_t size1, std::uint32_t time);

// 8-bit sum of bytes 2 .. H+1 of a level-0/1 header.
std::uint8_t headerChecksum(const std::vector<std::uint8_t>& bytes, std::size_t headerSize);

// Sets m.path from the folder (0x02) and the name (0x01, else `baseName`,
// already converted to '/' form), the time from extended headers where they
// have one, and the mode. FormatError for a member without a usable path.
void applyExtended(Member& m, const ExtendedFields& f, const std::string& baseName);

// The fields levels 2 and 3 keep at the same offsets (sizes, Unix time, data
// CRC at 21, OS id at 23), then the extended headers that start at `baseSize`,
// whose size fields are `sizeWidth` bytes wide; the header CRC is checked.
void readLevel2Or3(HeaderBytes& h, Member& m, std::size_t baseSize, std::uint64_t firstExtendedSize,
                   int sizeWidth, std::size_t total);

// What levels 0 and 1 share: H at 0, its checksum at 1, the name length N at
// 21 and the data CRC after the name. Pulls the H + 2 bytes of the base
// header, checks that it holds at least `fixedAfterName` bytes past the name
// (FormatError `tooShort` if not) and its checksum, and sets the method, the
// original size, the MS-DOS time and the CRC.
struct DosBaseFields {
    std::size_t headerSize;  // H
    std::size_t nameLength;  // N
    std::uint32_t size1;     // packed size (level 1: skip size)
};
DosBaseFields readLevel0Or1(HeaderBytes& h, Member& m, std::size_t fixedAfterName, const char* tooShort);

// Unix mode for the header: the member's, or the usual default.
std::uint16_t modeFor(const Member& m);

}  // namespace unlha::headers
