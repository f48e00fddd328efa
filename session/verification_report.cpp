// The report's lines: bytes in hexadecimal as the register table shows
// them, levels and frequencies in the window's text form.
#include "session/verification_report.h"

#include <algorithm>

#include "device/modulation.h"
#include "params/cell_value.h"
#include "params/country_selection.h"
#include "params/level_table.h"

namespace zelvane {
namespace {

constexpr std::size_t kFrequencyBytes = 4;
constexpr char kNotReadBack[] = ": not read back";

std::string FrequencyCodeHex(const ParamBlock& block) {
  std::string text;
  for (std::size_t i = 0; i < kFrequencyBytes; ++i) text += CellText(block[kFrequencyByte + i]);
  return text;
}

bool Touches(const std::vector<ByteDifference>& differences, std::size_t first, std::size_t count) {
  return std::any_of(differences.begin(), differences.end(), [&](const ByteDifference& d) {
    return d.offset >= first && d.offset < first + count;
  });
}

std::string WroteHolds(const std::string& what, const std::string& wrote, const std::string& holds) {
  return what + ": wrote " + wrote + ", device holds " + holds;
}

std::string ModulationText(std::uint8_t modulation) {
  const std::optional<int> order = QamOrder(modulation);
  return order ? "QAM " + std::to_string(*order) : "value " + std::to_string(modulation);
}

std::string CountryText(std::uint8_t country) {
  return std::to_string(country) + " (" + CountryName(country).value_or("none") + ")";
}

void ReportBlock(const ParamBlock& written, const ParamBlock& held,
                 const std::vector<ByteDifference>& differences, std::vector<std::string>& lines) {
  for (const ByteDifference& d : differences) {
    lines.push_back(DifferenceText(d));
  }
  const LevelCodes codes = BuildLevelCodes();
  const DecodedParameters wrote = DecodeParameters(written, codes);
  const DecodedParameters holds = DecodeParameters(held, codes);
  if (Touches(differences, kLevelCodeByte, 1)) {
    lines.push_back(WroteHolds("level", wrote.levelText + " dB (" + CellText(written[kLevelCodeByte]) + ")",
                               holds.levelText + " dB (" + CellText(held[kLevelCodeByte]) + ")"));
  }
  if (Touches(differences, kFrequencyByte, kFrequencyBytes)) {
    lines.push_back(WroteHolds("frequency", wrote.frequencyText + " MHz (" + FrequencyCodeHex(written) + ")",
                               holds.frequencyText + " MHz (" + FrequencyCodeHex(held) + ")"));
  }
}

}  // namespace

std::string DifferenceText(const ByteDifference& difference) {
  return WroteHolds("byte " + std::to_string(difference.offset), CellText(difference.written),
                    CellText(difference.held));
}

std::vector<std::string> VerificationReport(const WriteRequest& written,
                                            const Verification& held, bool recognised) {
  std::vector<std::string> lines;
  if (held.block) ReportBlock(written.block, *held.block, held.differences, lines);
  if (held.modulation && *held.modulation != written.modulation) {
    lines.push_back(WroteHolds("modulation", ModulationText(written.modulation),
                               ModulationText(*held.modulation)));
  }
  if (held.country && *held.country != written.country) {
    lines.push_back(WroteHolds("country", CountryText(written.country), CountryText(*held.country)));
  }
  if (recognised && !held.modulation) lines.push_back(std::string("modulation") + kNotReadBack);
  if (!held.country) lines.push_back(std::string("country") + kNotReadBack);
  if (!held.block) lines.push_back(std::string("block") + kNotReadBack);
  return lines;
}

}  // namespace zelvane
