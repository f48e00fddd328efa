// Where the link writes its diagnostics: the debugger on Windows, standard
// error elsewhere; tests hand in a sink of their own.
#pragma once

#include <functional>
#include <string>

namespace zelvane {

using DebugSink = std::function<void(const std::string&)>;

DebugSink DefaultDebugSink();

}  // namespace zelvane
