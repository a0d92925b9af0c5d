#include <algorithm>
#include <cstring>
#include <memory>

#include "unlha/Error.h"
#include "unlha/codec/Decoder.h"
#include "unlha/codec/decode/BitReader.h"
#include "unlha/codec/decode/BlockHeader.h"
#include "unlha/codec/decode/LhParameters.h"

namespace unlha {

namespace {

// Output goes into one linear buffer: the last 64 KiB of history, then room
// for a large chunk of new bytes (a small member gets a buffer of its size). When the chunk is full it is handed to the
// sink and the history moved down, so matches never wrap around and the sink
// sees few, large writes.
constexpr std::size_t kHistory = std::size_t{1} << 16;
constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr std::size_t kSlack = 256 + 16;  // one longest match plus copy overrun

constexpr int kFirstMatchSymbol = 256;
constexpr int kMatchLengthBias = 253;

const LhParameters& parametersOf(Method method) {
    switch (method) {
    case Method::Lh5: return kLh5Parameters;
    case Method::Lh6: return kLh6Parameters;
    case Method::Lh7: return kLh7Parameters;
    case Method::Lh0:
    case Method::Lhd: break;
    }
    throw FormatError("not a compressed method");
}

// Copies a match of `length` bytes from `distance` back; may write up to 16
// bytes past the end when the source is far enough back to allow it.
inline void copyMatch(std::uint8_t* dst, std::size_t distance, std::size_t length) {
    const std::uint8_t* src = dst - distance;
    if (distance >= 16) {
        std::uint8_t* end = dst + length;
        do {
            std::memcpy(dst, src, 16);
            dst += 16;
            src += 16;
        } while (dst < end);
    } else if (distance == 1) {
        std::memset(dst, *src, length);
    } else {
        for (std::size_t i = 0; i < length; ++i) dst[i] = src[i];
    }
}

class Decoder {
public:
    Decoder(const LhParameters& params, ByteSource& packed, std::uint64_t packedSize, ByteSink& out,
            std::uint64_t originalSize)
        : params_(params), in_(packed, packedSize), out_(out), remaining_(originalSize),
          limit_(static_cast<std::size_t>(std::min<std::uint64_t>(originalSize, kHistory + kChunk))),
          buffer_(new std::uint8_t[limit_ + kSlack]), block_(std::make_unique<BlockHeader>()) {}

    void run() {
        std::size_t pos = 0;
        while (remaining_ > 0) {
            std::size_t room = limit_ - pos;
            std::size_t goal = static_cast<std::size_t>(std::min<std::uint64_t>(room, remaining_));
            std::size_t last = static_cast<std::size_t>(std::min<std::uint64_t>(room + kSlack, remaining_));
            std::size_t made = fill(pos, pos + goal, pos + last);
            out_.write(buffer_.get() + pos, made);
            remaining_ -= made;
            pos += made;
            if (pos >= limit_ && remaining_ > 0) {
                std::memmove(buffer_.get(), buffer_.get() + pos - kHistory, kHistory);
                pos = kHistory;
            }
        }
        in_.checkNotOverrun();
    }

private:
    // Decodes codes into buffer_ from `pos` until at least `end`. A match may
    // run past `end` into the slack, but is cut at `last`, the member's end
    // when it lies that close. Returns the number of bytes made.
    std::size_t fill(std::size_t pos, std::size_t end, std::size_t last) {
        std::uint8_t* const base = buffer_.get();
        std::uint8_t* p = base + pos;
        std::uint8_t* const stop = base + end;
        std::uint8_t* const limit = base + last;
        const HuffmanTable& codes = block_->codes;
        const HuffmanTable& positions = block_->positions;
        while (p < stop) {
            if (blockLeft_ == 0) {
                readBlockHeader(in_, params_, *block_);
                blockLeft_ = block_->codeCount;
            }
            --blockLeft_;
            in_.refill();
            int c = codes.decode(in_);
            if (c < kFirstMatchSymbol) {
                *p++ = static_cast<std::uint8_t>(c);
                continue;
            }
            std::size_t length = static_cast<std::size_t>(c - kMatchLengthBias);
            int slot = positions.decode(in_);
            std::size_t distance = static_cast<std::size_t>(slot);
            if (slot > 1) {
                int extra = slot - 1;
                distance = (std::size_t{1} << extra) + in_.peek(extra);
                in_.consume(extra);
            }
            ++distance;
            if (distance > static_cast<std::size_t>(p - base)) {
                throw FormatError("match reaches before the start of the data");
            }
            length = std::min(length, static_cast<std::size_t>(limit - p));
            copyMatch(p, distance, length);
            p += length;
        }
        return static_cast<std::size_t>(p - (base + pos));
    }

    const LhParameters& params_;
    BitReader in_;
    ByteSink& out_;
    std::uint64_t remaining_;
    std::size_t limit_;  // history plus chunk, or the whole member when smaller
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::unique_ptr<BlockHeader> block_;
    std::uint32_t blockLeft_ = 0;
};

}  // namespace

void decodeLh(Method method, ByteSource& packed, std::uint64_t packedSize, ByteSink& out,
              std::uint64_t originalSize) {
    Decoder(parametersOf(method), packed, packedSize, out, originalSize).run();
}

}  // namespace unlha
