#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "unlha/codec/encode/BitWriter.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Collects codes and writes them as blocks. The latest complete block is held
// back until the next one exists, so that a tiny tail can be folded into it:
// the final block must be at least 8 bytes long.
class BlockQueue {
public:
    BlockQueue(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt);

    void add(Code code) { codes_.push_back(code); }
    // Codes added since the last cut.
    std::size_t openCodes() const { return codes_.size() - held_; }
    // Ends the open block here (it must hold at least one code).
    void cut();
    // True once the output has reached the give-up size.
    bool gaveUp() const { return out_.byteCount() >= giveUpAt_; }
    // Writes what is left; the stream length, or nothing for a stream that
    // reached the give-up size or is shorter than 8 bytes.
    std::optional<std::uint64_t> finish();

private:
    void writeHeld();

    StreamFormat format_;
    BitWriter out_;
    std::uint64_t giveUpAt_;
    std::vector<Code> codes_;
    std::size_t held_ = 0;  // codes_[0, held_) form the held block
};

}  // namespace unlha::encode
