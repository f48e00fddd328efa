// ports: the entries as the window lists them, each with what sysfs knows
// of the USB adapter behind it (a fixture tree stands in for /sys).
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli_fixture.h"
#include "link/port_description.h"

namespace zelvane::testing {
namespace {

class PortsTest : public CliTest {
 protected:
  std::string Path(const std::string& relative) const { return root_.Path(relative); }

  void Folder(const std::string& relative) const {
    std::filesystem::create_directories(Path(relative));
  }
  void File(const std::string& relative, const std::string& text) const {
    std::ofstream(Path(relative)) << text << "\n";
  }
  void Link(const std::string& target, const std::string& relative) const {
    symlink(target.c_str(), Path(relative).c_str());
  }

  // A USB device with the attribute files sysfs gives it, and a tty below
  // one of its interfaces.
  void UsbDevice(const std::string& device, const std::string& manufacturer,
                 const std::string& product, const std::string& serial) const {
    Folder("sys/" + device);
    File("sys/" + device + "/idVendor", "0403");
    File("sys/" + device + "/manufacturer", manufacturer);
    File("sys/" + device + "/product", product);
    if (!serial.empty()) File("sys/" + device + "/serial", serial);
  }
  void Tty(const std::string& name, const std::string& deviceDir) const {
    Folder("sys/" + deviceDir);
    Folder("sys/class/tty/" + name);
    Link(Path("sys/" + deviceDir), "sys/class/tty/" + name + "/device");
  }

 private:
  TemporaryFolder root_;
};

TEST_F(PortsTest, ListsTheUsbAdapterBehindEachPort) {
  if (cli.UnderWine()) GTEST_SKIP() << "sysfs is the Linux source of descriptions";
  const std::string usb = "devices/pci0000:00/usb1";
  // A USB serial converter: the tty sits below the interface.
  UsbDevice(usb + "/1-2", "Maker One", "Adapter A", "SER123");
  Tty("ttyUSB7", usb + "/1-2/1-2:1.0/ttyUSB7");
  // A modem class device without a serial number: the tty's device is the
  // interface itself.
  UsbDevice(usb + "/1-3", "Maker Two", "Modem B", "");
  Tty("ttyACM3", usb + "/1-3/1-3:1.0");
  // A board UART: no USB device above it.
  Tty("ttyS9", "devices/platform/serial8250");
  // A port listed by a link of its own name, found by its device's name.
  UsbDevice(usb + "/1-4", "Maker Three", "Cable C", "C3");
  Tty("ttyUSB8", usb + "/1-4/1-4:1.0/ttyUSB8");

  sim::Simulator first, second;
  Folder("dev/serial/by-id");
  Link(first.PortPath(), "dev/ttyUSB7");
  Link(second.PortPath(), "dev/ttyACM3");
  File("dev/ttyUSB8", "");  // not a terminal: listed in use
  Link(Path("dev/ttyUSB8"), "dev/serial/by-id/usb-Maker_Three-if00");
  const std::vector<std::string> ports = {"dev/ttyUSB7", "dev/ttyACM3", "dev/ttyS9",
                                          "dev/serial/by-id/usb-Maker_Three-if00"};
  std::string list;
  for (const std::string& port : ports) list += (list.empty() ? "" : ":") + Path(port);

  const CliRun run = cli.RunIsolated({"ports"}, {{"ZELVANE_PORTS", list},
                                                 {kSysfsRootVariable, Path("sys")}});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string expected = Path("dev/ttyUSB7") + "\tMaker One Adapter A, serial SER123\n" +
                               Path("dev/ttyACM3") + "\tMaker Two Modem B\n" +
                               Path("dev/ttyS9") + " in use\n" +
                               Path("dev/serial/by-id/usb-Maker_Three-if00") +
                               " in use\tMaker Three Cable C, serial C3\n";
  // Where the machine's own ports cannot be hidden they come first.
  ASSERT_GE(run.out.size(), expected.size()) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - expected.size()), expected);
}

}  // namespace
}  // namespace zelvane::testing
