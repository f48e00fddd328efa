// ports: the entries as the window lists them, each with what sysfs knows
// of the USB adapter behind it (a fixture tree stands in for /sys).
#include "cli_fixture.h"
#include "sysfs_fixture.h"
#include "link/port_description.h"

namespace zelvane::testing {
namespace {

class PortsTest : public CliTest {
 protected:
  SysfsFixture tree;
};

TEST_F(PortsTest, ListsTheUsbAdapterBehindEachPort) {
  if (cli.UnderWine()) GTEST_SKIP() << "sysfs is the Linux source of descriptions";
  const std::string usb = "devices/pci0000:00/usb1";
  // A USB serial converter: the tty sits below the interface.
  tree.UsbDevice(usb + "/1-2", "Maker One", "Adapter A", "SER123");
  tree.Tty("ttyUSB7", usb + "/1-2/1-2:1.0/ttyUSB7");
  // A modem class device without a serial number: the tty's device is the
  // interface itself.
  tree.UsbDevice(usb + "/1-3", "Maker Two", "Modem B", "");
  tree.Tty("ttyACM3", usb + "/1-3/1-3:1.0");
  // A board UART: no USB device above it.
  tree.Tty("ttyS9", "devices/platform/serial8250");
  // A port listed by a link of its own name, found by its device's name.
  tree.UsbDevice(usb + "/1-4", "Maker Three", "Cable C", "C3");
  tree.Tty("ttyUSB8", usb + "/1-4/1-4:1.0/ttyUSB8");

  sim::Simulator first, second;
  tree.Folder("dev/serial/by-id");
  tree.Link(first.PortPath(), "dev/ttyUSB7");
  tree.Link(second.PortPath(), "dev/ttyACM3");
  tree.File("dev/ttyUSB8", "");  // not a terminal: listed in use
  tree.Link(tree.Path("dev/ttyUSB8"), "dev/serial/by-id/usb-Maker_Three-if00");
  const std::vector<std::string> ports = {"dev/ttyUSB7", "dev/ttyACM3", "dev/ttyS9",
                                          "dev/serial/by-id/usb-Maker_Three-if00"};
  std::string list;
  for (const std::string& port : ports) list += (list.empty() ? "" : ":") + tree.Path(port);

  const CliRun run = cli.RunIsolated({"ports"}, {{"ZELVANE_PORTS", list},
                                                 {kSysfsRootVariable, tree.Path("sys")}});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string expected = tree.Path("dev/ttyUSB7") + "\tMaker One Adapter A, serial SER123\n" +
                               tree.Path("dev/ttyACM3") + "\tMaker Two Modem B\n" +
                               tree.Path("dev/ttyS9") + " in use\n" +
                               tree.Path("dev/serial/by-id/usb-Maker_Three-if00") +
                               " in use\tMaker Three Cable C, serial C3\n";
  // Where the machine's own ports cannot be hidden they come first.
  ASSERT_GE(run.out.size(), expected.size()) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - expected.size()), expected);
}

}  // namespace
}  // namespace zelvane::testing
