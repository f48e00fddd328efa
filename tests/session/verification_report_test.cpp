// The verification report: what a read-back says against what was written.
#include <gtest/gtest.h>

#include "session/verification_report.h"

namespace zelvane {
namespace {

// 80 MHz at -3 dB (level code 152 = 0x98), as a write of TV3 leaves it.
ParamBlock Written() {
  ParamBlock block{};
  block[kLevelCodeByte] = 0x98;
  EncodeFrequency(80.0f, block);
  return block;
}

struct Change {
  std::size_t offset;
  std::uint8_t value;
};

struct Case {
  const char* name;
  std::vector<Change> held;  // the bytes the device holds otherwise
  std::optional<std::uint8_t> modulation = 1;
  std::optional<std::uint8_t> country = 0;
  bool blockRead = true;
  bool recognised = true;
  std::vector<std::string> report;
};

TEST(VerificationReport, NamesWhatTheDeviceHoldsOtherwise) {
  const Case cases[] = {
      {"all held", {}, 1, 0, true, true, {}},
      {"an uninterpreted byte", {{3, 0x5A}}, 1, 0, true, true,
       {"byte 3: wrote 00, device holds 5A"}},
      {"the level byte", {{kLevelCodeByte, 0xA7}}, 1, 0, true, true,
       {"byte 19: wrote 98, device holds A7",
        "level: wrote -3,00 dB (98), device holds -2,50 dB (A7)"}},
      // Both sides decode alike when the codes lie within one of each other.
      {"a level code one off", {{kLevelCodeByte, 0x99}}, 1, 0, true, true,
       {"byte 19: wrote 98, device holds 99",
        "level: wrote -3,00 dB (98), device holds -3,00 dB (99)"}},
      {"a frequency byte", {{kFrequencyByte, 0x12}}, 1, 0, true, true,
       {"byte 25: wrote 17, device holds 12",
        "frequency: wrote 80,00 MHz (17B425A0), device holds 63,12 MHz (12B425A0)"}},
      {"level and frequency", {{kFrequencyByte + 3, 0xA1}, {kLevelCodeByte, 0xFF}}, 1, 0, true, true,
       {"byte 19: wrote 98, device holds FF", "byte 28: wrote A0, device holds A1",
        "level: wrote -3,00 dB (98), device holds 0,00 dB (FF)",
        "frequency: wrote 80,00 MHz (17B425A0), device holds 80,00 MHz (17B425A1)"}},
      {"modulation and country", {}, 0, kNoCountry, true, true,
       {"modulation: wrote QAM 64, device holds QAM 32",
        "country: wrote 0 (Russia), device holds 255 (none)"}},
      {"reads that failed", {}, std::nullopt, std::nullopt, false, true,
       {"modulation: not read back", "country: not read back", "block: not read back"}},
      // An unrecognised device is never asked for its modulation.
      {"unrecognised device", {}, std::nullopt, 0, true, false, {}},
  };
  const WriteRequest written{Written(), 1, 0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Verification held;
    held.modulation = c.modulation;
    held.country = c.country;
    if (c.blockRead) {
      ParamBlock block = written.block;
      for (const Change& change : c.held) block[change.offset] = change.value;
      held.block = block;
      held.differences = CompareBlocks(written.block, block);
    }
    EXPECT_EQ(VerificationReport(written, held, c.recognised), c.report);
  }
}

}  // namespace
}  // namespace zelvane
