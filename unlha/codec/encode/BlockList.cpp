#include "unlha/codec/encode/BlockList.h"

namespace unlha::encode {

void BlockList::clear()
{
    codes_.clear();
    entries_.clear();
}

void BlockList::take(PendingBlock& block)
{
    entries_.push_back({codes_.size(), block.codes.size(), block.stats, *block.block});
    codes_.insert(codes_.end(), block.codes.begin(), block.codes.end());
    block.clear();
}

void BlockList::handTo(StreamWriter& writer)
{
    for (const Entry& e : entries_) writer.add(codes_.data() + e.first, e.count, e.stats, e.block);
    clear();
}

}  // namespace unlha::encode
