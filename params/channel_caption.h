// The captions of the TV channel buttons, one per plan row: the names a
// user knows the channels by.
#pragma once

#include <cstddef>
#include <string>

namespace zelvane {

// "TV1" to "TV8" for rows 0 to 7, "СTV1" to "СTV8" for rows 8 to 15 (the
// first letter of those is the Cyrillic capital Es, U+0421).
std::string ChannelCaption(std::size_t row);

}  // namespace zelvane
