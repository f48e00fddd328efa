// The attribute files of a USB adapter in sysfs, whatever they hold, and
// any port name: a description of what the files say, one line each.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "link/port_description.h"
#include "sysfs_fixture.h"

namespace {

using zelvane::testing::SysfsFixture;

constexpr char kUsbDevice[] = "devices/pci0000:00/usb1/1-1";
constexpr char kTty[] = "ttyUSB0";
constexpr char kTtyDevice[] = "devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0";
constexpr std::size_t kMaxNameLength = 256;

// One adapter with a tty, and a link to its port as udev makes them; the
// tree goes when the run ends.
const SysfsFixture& Tree() {
  static const SysfsFixture tree;
  static const bool built = [] {
    tree.UsbDevice(kUsbDevice, "", "", "");
    tree.Tty(kTty, kTtyDevice);
    tree.Folder("dev");
    tree.File(std::string("dev/") + kTty, "");
    tree.Link(tree.Path(std::string("dev/") + kTty), "dev/adapter");
    return setenv(zelvane::kSysfsRootVariable, tree.SysRoot().c_str(), 1) == 0;
  }();
  FUZZ_CHECK(built);
  return tree;
}

// An attribute file as the fuzzer wrote it; a missing one when `present`
// is false.
void WriteAttribute(const char* name, const std::string& text, bool present) {
  const std::string path = Tree().Path(std::string("sys/") + kUsbDevice + "/" + name);
  if (!present) {
    unlink(path.c_str());
    return;
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// What a reader of the file takes: its first line, without the blanks and
// carriage returns at its end.
std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

void CheckOneLine(const zelvane::PortDescription& d) {
  for (const std::string* field : {&d.manufacturer, &d.product, &d.serialNumber}) {
    FUZZ_CHECK(field->find('\n') == std::string::npos);
  }
  FUZZ_CHECK(zelvane::DescriptionText(d).find('\n') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvane;
  FuzzedDataProvider input(data, size);
  const std::string manufacturer = input.ConsumeRandomLengthString(kMaxNameLength);
  const std::string product = input.ConsumeRandomLengthString(kMaxNameLength);
  const bool hasSerial = input.ConsumeBool();
  const std::string serial = input.ConsumeRandomLengthString(kMaxNameLength);
  const std::string name = input.ConsumeRemainingBytesAsString();
  WriteAttribute("manufacturer", manufacturer, true);
  WriteAttribute("product", product, true);
  WriteAttribute("serial", serial, hasSerial);

  for (const std::string& port : {std::string("/dev/") + kTty, Tree().Path("dev/adapter")}) {
    const PortDescription d = DescribePort(port);
    FUZZ_CHECK(d.manufacturer == FirstLine(manufacturer));
    FUZZ_CHECK(d.product == FirstLine(product));
    FUZZ_CHECK(d.serialNumber == (hasSerial ? FirstLine(serial) : ""));
    FUZZ_CHECK(d.friendlyName.empty());
    CheckOneLine(d);
    const std::string text = DescriptionText(d);
    for (const std::string* field : {&d.manufacturer, &d.product, &d.serialNumber}) {
      FUZZ_CHECK(text.find(*field) != std::string::npos);
    }
  }
  // Any name, listed or typed, with or without the in-use mark.
  CheckOneLine(DescribeEntry(name));
  return 0;
}
