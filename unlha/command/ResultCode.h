#pragma once

// What Unlha() and the unlha tool return. docs/archiver.md explains each code.
namespace unlha::result {

constexpr int Ok = 0;
constexpr int BadCommandLine = 1;      // unknown command or switch, no archive named
constexpr int ArchiveNotFound = 2;     // x, l or t on an archive that does not exist
constexpr int ArchiveNotReadable = 3;  // cannot be read, or is not a valid LZH archive
constexpr int CrcError = 4;            // a member's data does not match its CRC
constexpr int ArchiveNotWritable = 5;  // the new archive could not be written or put in place
constexpr int NothingToPack = 6;       // a or u found no file to pack and no archive existed
constexpr int SourceNotReadable = 7;   // a file to pack exists but could not be read
constexpr int ExtractFailed = 8;       // a member could not be written to its destination
constexpr int UnsafeMember = 9;        // a member was refused: ".." in its path, or not a file or folder
constexpr int InternalError = 10;      // anything else (out of memory, ...)

}  // namespace unlha::result
