#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "unlha/io/Stream.h"

namespace unlha::encode {

// The input as a sliding buffer: kHistory bytes behind the current position
// stay addressable, and at least `lookahead` bytes ahead are loaded unless the
// input ends first. Positions are offsets into data(); when the buffer slides,
// they all drop by the amount returned from ensureAhead().
class InputWindow {
public:
    static constexpr int kHistory = 1 << 16;

    explicit InputWindow(int lookahead);

    // Starts over on a new input, from position 0; the buffer is kept.
    void start(ByteSource& source);

    // Makes data()[pos .. pos + lookahead) loaded (or up to the end of input).
    // Returns how far positions moved down (0 when the buffer did not slide);
    // the caller subtracts it from every position it holds, pos included.
    int ensureAhead(int pos);

    const std::uint8_t* data() const { return buffer_.get(); }
    // One past the last loaded byte.
    int end() const { return end_; }
    bool atEnd() const { return eof_; }

private:
    void fill();

    ByteSource* source_ = nullptr;
    int lookahead_;
    int capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_;  // capacity_ bytes and a zeroed tail for word reads
    int end_ = 0;
    bool eof_ = false;
};

}  // namespace unlha::encode
