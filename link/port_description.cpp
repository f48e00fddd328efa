// The description as one line, the same on both platforms.
#include "link/port_description.h"

#include "link/serial_port.h"

namespace zelvane {
namespace {

constexpr char kSerialPrefix[] = "serial ";

void AppendPart(std::string& text, const std::string& part, const char* separator) {
  if (part.empty()) return;
  if (!text.empty()) text += separator;
  text += part;
}

std::string WithoutInUseMark(const std::string& entry) {
  const std::string mark = kInUseMark;
  const bool marked = entry.size() >= mark.size() &&
                      entry.compare(entry.size() - mark.size(), mark.size(), mark) == 0;
  return marked ? entry.substr(0, entry.size() - mark.size()) : entry;
}

}  // namespace

PortDescription DescribeEntry(const std::string& entry) {
  return DescribePort(WithoutInUseMark(entry));
}

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
