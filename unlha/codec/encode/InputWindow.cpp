#include "unlha/codec/encode/InputWindow.h"

#include <cstring>

namespace unlha::encode {
namespace {
constexpr int kSlideStep = 4 * InputWindow::kHistory;
}

InputWindow::InputWindow(ByteSource& source, int lookahead)
    : source_(source), lookahead_(lookahead),
      buffer_(static_cast<std::size_t>(kHistory + kSlideStep + lookahead + 8), 0)
{
    fill();
}

void InputWindow::fill()
{
    const int capacity = static_cast<int>(buffer_.size()) - 8;  // slack for word reads
    while (!eof_ && end_ < capacity) {
        const std::size_t got = source_.read(buffer_.data() + end_, static_cast<std::size_t>(capacity - end_));
        if (got == 0) eof_ = true;
        end_ += static_cast<int>(got);
    }
}

int InputWindow::ensureAhead(int pos)
{
    if (eof_ || pos + lookahead_ <= end_) return 0;
    // Slide by a multiple of the history so that positions keep their value
    // modulo kHistory (the match finder indexes its chains that way).
    const int shift = (pos - kHistory) / kHistory * kHistory;
    if (shift > 0) {
        std::memmove(buffer_.data(), buffer_.data() + shift, static_cast<std::size_t>(end_ - shift));
        end_ -= shift;
    }
    fill();
    return shift > 0 ? shift : 0;
}

}  // namespace unlha::encode
