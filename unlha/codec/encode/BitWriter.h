#pragma once
#include <cstdint>
#include <vector>

#include "unlha/io/Stream.h"

namespace unlha::encode {

// MSB-first bit output. Bytes are held back until a large batch is ready, so a
// stream that is abandoned while small (it would be under 8 bytes, or reach the
// give-up size) never reaches the sink.
class BitWriter {
public:
    BitWriter() { pending_.reserve(kBatch + 64); }

    // Starts a new stream into sink; the buffer is kept.
    void start(ByteSink& sink)
    {
        sink_ = &sink;
        pending_.clear();
        sent_ = 0;
        acc_ = 0;
        accBits_ = 0;
    }

    // value must fit in `bits` (at most 32) bits.
    void put(std::uint32_t value, int bits)
    {
        acc_ = (acc_ << bits) | value;
        accBits_ += bits;
        while (accBits_ >= 8) {
            accBits_ -= 8;
            pending_.push_back(static_cast<std::uint8_t>(acc_ >> accBits_));
        }
        acc_ &= (std::uint64_t{1} << accBits_) - 1;
        if (pending_.size() >= kBatch) sendPending();
    }

    // Zero bits up to the next byte boundary (fewer than 8).
    void padToByte()
    {
        if (accBits_ > 0) put(0, 8 - accBits_);
    }

    // Whole bytes produced so far, counting a partly filled last byte.
    std::uint64_t byteCount() const { return sent_ + pending_.size() + (accBits_ > 0 ? 1 : 0); }

    // Hands everything still held to the sink; call after padToByte().
    void flush() { sendPending(); }

private:
    static constexpr std::size_t kBatch = 1 << 16;

    void sendPending()
    {
        if (pending_.empty()) return;
        sink_->write(pending_.data(), pending_.size());
        sent_ += pending_.size();
        pending_.clear();
    }

    ByteSink* sink_ = nullptr;
    std::vector<std::uint8_t> pending_;
    std::uint64_t sent_ = 0;
    std::uint64_t acc_ = 0;
    int accBits_ = 0;
};

}  // namespace unlha::encode
