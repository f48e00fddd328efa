// The button captions, in plan row order.
#include "params/channel_caption.h"

#include <array>

#include "params/channel_plan.h"

namespace zelvane {
namespace {

const std::array<const char*, kChannelCount> kCaptions = {
    "TV1",  "TV2",  "TV3",  "TV4",  "TV5",  "TV6",  "TV7",  "TV8",
    "СTV1", "СTV2", "СTV3", "СTV4", "СTV5", "СTV6", "СTV7", "СTV8"};

}  // namespace

std::string ChannelCaption(std::size_t row) { return kCaptions.at(row); }

}  // namespace zelvane
