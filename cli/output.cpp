// Both forms take the decoded values from params/, so that they read as
// the window shows them ("62,00", "-3,00").
#include "cli/output.h"

#include <algorithm>
#include <charconv>

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

// The number a decimal-comma text of the window stands for ("-2,50").
double DecimalCommaNumber(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  double number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
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

std::string SettingsColumns(const DeviceView& view) {
  const Decoded decoded = Decode(view);
  return "module " + std::to_string(view.moduleAddress) + "\trevision \"" + view.revision + "\" (" +
         (view.recognised ? "recognised" : "not recognised") + ")\t" +
         decoded.parameters.frequencyText + " MHz (" + decoded.channel.value_or("no channel") +
         ")\t" + decoded.parameters.levelText + " dB\t" + ModulationText(view, decoded) + "\t" +
         decoded.country.value_or("no country");
}

Value SettingsJson(const DeviceView& view) {
  const Decoded decoded = Decode(view);
  Value object = Value::object();
  object["port"] = view.port;
  object["module_address"] = view.moduleAddress;
  object["recognised"] = view.recognised;
  object["country_index"] = view.country;
  object["country"] = json::OrNull(decoded.country);
  object["modulation"] = json::OrNull(decoded.qam);
  object["frequency"] = decoded.parameters.frequencyText;
  object["frequency_mhz"] = DecimalCommaNumber(decoded.parameters.frequencyText);
  object["channel"] = json::OrNull(decoded.channel);
  object["level"] = decoded.parameters.levelText;
  object["level_db"] = DecimalCommaNumber(decoded.parameters.levelText);
  object["level_code"] = view.block[kLevelCodeByte];
  object["block"] = BlockHex(view.block, "");
  return object;
}

std::string WriteResultText(const DeviceView& held, const std::vector<std::string>& report) {
  std::string text = SettingsText(held);
  text += Line("verification", report.empty() ? "OK" : "FAILED");
  for (const std::string& line : report) text += "  " + line + "\n";
  return text;
}

Value WriteResultJson(const DeviceView& held, bool verified,
                      const std::vector<ByteDifference>& differences) {
  Value object = SettingsJson(held);
  object["verified"] = verified;
  if (!verified) {
    Value list = Value::array();
    for (const ByteDifference& d : differences) {
      list.push_back(Value{{"byte", d.offset}, {"written", d.written}, {"held", d.held}});
    }
    object["differences"] = std::move(list);
  }
  return object;
}

}  // namespace zelvane::cli
