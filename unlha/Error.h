#pragma once
#include <stdexcept>
#include <string>

namespace unlha {

// Every failure of the archiver is one of these; the command layer maps them
// to result codes.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The archive's bytes are not a valid LZH archive or stream (bad header,
// truncated data, corrupt Huffman table, match before the start of the file).
class FormatError : public Error {
public:
    using Error::Error;
};

// A member decoded completely but its CRC-16 does not match the header.
class CrcError : public Error {
public:
    using Error::Error;
};

// An archive or a file could not be opened, read, written or renamed.
class IoError : public Error {
public:
    using Error::Error;
};

}  // namespace unlha
