// The command line's exit codes.
#pragma once

namespace zelvane::cli {

constexpr int kExitOk = 0;            // read, or written and verified
constexpr int kExitNoDevice = 1;      // no device found, or the link failed
constexpr int kExitUsage = 2;         // usage or file error: nothing was written
constexpr int kExitMismatch = 3;      // written, but the device holds something else
constexpr int kExitInterrupted = 130;  // Ctrl-C or SIGTERM: the devices stopped

// Among many devices, the first of these that any device has is the code
// of the whole command.
constexpr int kExitOrder[] = {kExitUsage, kExitNoDevice, kExitMismatch};

}  // namespace zelvane::cli
