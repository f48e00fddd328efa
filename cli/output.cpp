// Both forms take the decoded values from params/, so that they read as
// the window shows them ("62,00", "-3,00").
#include "cli/output.h"

#include "cli/current_plan.h"
#include "device/modulation.h"
#include "params/channel_caption.h"
#include "params/cell_value.h"
#include "params/country_selection.h"
#include "params/level_table.h"

namespace zelvane::cli {
namespace {

using json::Value;

// What the settings decode to, for both forms.
struct Decoded {
  DecodedParameters parameters;
  std::optional<std::string> channel;
  std::optional<std::string> country;
  std::optional<int> qam;
};

Decoded Decode(const DeviceView& view) {
  Decoded decoded;
  decoded.parameters = DecodeParameters(view.block, BuildLevelCodes());
  const std::optional<std::size_t> row =
      FindChannelByFrequencyText(CurrentPlan(view.country), decoded.parameters.frequencyText);
  if (row) decoded.channel = ChannelCaption(*row);
  decoded.country = CountryName(view.country);
  if (view.modulation) decoded.qam = QamOrder(*view.modulation);
  return decoded;
}

std::string BlockHex(const ParamBlock& block, const char* separator) {
  std::string text;
  for (std::size_t i = 0; i < block.size(); ++i) text += (i ? separator : "") + CellText(block[i]);
  return text;
}

std::string ModulationText(const DeviceView& view, const Decoded& decoded) {
  if (!view.recognised) return "not set on this device";
  if (decoded.qam) return "QAM " + std::to_string(*decoded.qam);
  return view.modulation ? "unknown (value " + std::to_string(*view.modulation) + ")" : "unknown";
}

std::string Line(const std::string& name, const std::string& value) {
  return name + ": " + value + "\n";
}

}  // namespace

std::string SettingsText(const DeviceView& view) {
  const Decoded decoded = Decode(view);
  std::string text;
  text += Line("port", view.port);
  text += Line("module address", std::to_string(view.moduleAddress));
  text += Line("recognised", std::string(view.recognised ? "yes" : "no") + " (revision \"" +
                                 view.revision + "\")");
  text += Line("country", std::to_string(view.country) + " (" + decoded.country.value_or("none") + ")");
  text += Line("modulation", ModulationText(view, decoded));
  text += Line("frequency", decoded.parameters.frequencyText + " MHz (" +
                                decoded.channel.value_or("no channel") + ")");
  text += Line("level", decoded.parameters.levelText + " dB (code " +
                            CellText(view.block[kLevelCodeByte]) + ")");
  text += Line("block", BlockHex(view.block, " "));
  return text;
}

Value SettingsJson(const DeviceView& view) {
  const Decoded decoded = Decode(view);
  return Value::Object({
      {"port", Value::String(view.port)},
      {"module_address", Value::Number(view.moduleAddress)},
      {"recognised", Value::Boolean(view.recognised)},
      {"country_index", Value::Number(view.country)},
      {"country", Value::StringOrNull(decoded.country)},
      {"modulation", Value::NumberOrNull(decoded.qam)},
      {"frequency", Value::String(decoded.parameters.frequencyText)},
      {"channel", Value::StringOrNull(decoded.channel)},
      {"level", Value::String(decoded.parameters.levelText)},
      {"level_code", Value::Number(view.block[kLevelCodeByte])},
      {"block", Value::String(BlockHex(view.block, ""))},
  });
}

std::string WriteResultText(const DeviceView& held, const std::vector<std::string>& report) {
  std::string text = SettingsText(held);
  text += Line("verification", report.empty() ? "OK" : "FAILED");
  for (const std::string& line : report) text += "  " + line + "\n";
  return text;
}

Value WriteResultJson(const DeviceView& held, bool verified,
                      const std::vector<ByteDifference>& differences) {
  Value::Members members = SettingsJson(held).AsObject();
  members.emplace_back("verified", Value::Boolean(verified));
  if (!verified) {
    std::vector<Value> list;
    for (const ByteDifference& d : differences) {
      list.push_back(Value::Object({{"byte", Value::Number(static_cast<double>(d.offset))},
                                    {"written", Value::Number(d.written)},
                                    {"held", Value::Number(d.held)}}));
    }
    members.emplace_back("differences", Value::Array(std::move(list)));
  }
  return Value::Object(std::move(members));
}

}  // namespace zelvane::cli
