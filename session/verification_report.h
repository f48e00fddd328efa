// A verification in words: what the device holds otherwise than it was
// written, one line a finding, as plain text that any front end can show.
#pragma once

#include <string>
#include <vector>

#include "session/device_session.h"

namespace zelvane {

// In this order: each differing byte of the block ("byte 3: wrote 00,
// device holds 5A"); the level, decoded on both sides, when byte 19
// differs ("level: wrote -3,00 dB (98), device holds -2,50 dB (A7)"); the
// frequency likewise when any of bytes 25 to 28 does; the modulation (read
// back from a recognised device only) and the country when they came back
// otherwise; each read that failed. Empty when the device holds it all.
// One byte's line of the report: "byte 3: wrote 00, device holds 5A".
std::string DifferenceText(const ByteDifference& difference);

std::vector<std::string> VerificationReport(const WriteRequest& written,
                                            const Verification& held, bool recognised);

}  // namespace zelvane
