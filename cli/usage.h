// The text of --help.
#pragma once

namespace zelvane::cli {

extern const char kUsage[];

}  // namespace zelvane::cli
