#include "unlha/codec/encode/InputWindow.h"

#include <cstring>

namespace unlha::encode {
namespace {
constexpr int kSlideStep = 4 * InputWindow::kHistory;
constexpr int kTail = 8;
}  // namespace

InputWindow::InputWindow(int lookahead)
    : lookahead_(lookahead), capacity_(kHistory + kSlideStep + lookahead),
      buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(capacity_ + kTail)))
{
}

void InputWindow::start(ByteSource& source)
{
    source_ = &source;
    end_ = 0;
    eof_ = false;
    fill();
}

void InputWindow::fill()
{
    while (!eof_ && end_ < capacity_) {
        const std::size_t got = source_->read(buffer_.get() + end_, static_cast<std::size_t>(capacity_ - end_));
        if (got == 0) eof_ = true;
        end_ += static_cast<int>(got);
    }
    std::memset(buffer_.get() + end_, 0, kTail);
}

int InputWindow::ensureAhead(int pos)
{
    if (eof_ || pos + lookahead_ <= end_) return 0;
    // Slide by a multiple of the history so that positions keep their value
    // modulo kHistory (the match finder indexes its chains that way).
    const int shift = (pos - kHistory) / kHistory * kHistory;
    if (shift > 0) {
        std::memmove(buffer_.get(), buffer_.get() + shift, static_cast<std::size_t>(end_ - shift));
        end_ -= shift;
    }
    fill();
    return shift > 0 ? shift : 0;
}

}  // namespace unlha::encode
