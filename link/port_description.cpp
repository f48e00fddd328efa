// The description as one line, the same on both platforms.
#include "link/port_description.h"

namespace zelvane {
namespace {

constexpr char kSerialPrefix[] = "serial ";

void AppendPart(std::string& text, const std::string& part, const char* separator) {
  if (part.empty()) return;
  if (!text.empty()) text += separator;
  text += part;
}

}  // namespace

std::string DescriptionText(const PortDescription& description) {
  std::string text;
  AppendPart(text, description.friendlyName, ", ");
  AppendPart(text, description.manufacturer, ", ");
  AppendPart(text, description.product, " ");
  if (!description.serialNumber.empty()) {
    AppendPart(text, kSerialPrefix + description.serialNumber, ", ");
  }
  return text;
}

}  // namespace zelvane
