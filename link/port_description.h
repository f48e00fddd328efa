// What the system knows of the hardware behind a serial port: the maker,
// model and serial number of a USB adapter, or the name Windows gives the
// device. One implementation per platform.
#pragma once

#include <string>

namespace zelvane {

// Points the Linux lookup at another sysfs tree than /sys (a fixture).
constexpr char kSysfsRootVariable[] = "ZELVANE_SYSFS_ROOT";

// Each field is empty where the system does not know it.
struct PortDescription {
  std::string manufacturer;  // USB "manufacturer"
  std::string product;       // USB "product"
  std::string serialNumber;  // USB "serial"
  std::string friendlyName;  // the device manager's name, "USB Serial Port (COM3)"
};

// The description of the port named as the port list names it (a device
// path on Linux, "COM3" on Windows). On Linux a symbolic link is also
// looked up by the name of the device it points to.
PortDescription DescribePort(const std::string& port);

// The description of the port that an entry of the port list names, its
// in-use mark left aside.
PortDescription DescribeEntry(const std::string& entry);

// One line for a person: "Maker Model, serial ABC123" or the friendly
// name; empty when nothing is known.
std::string DescriptionText(const PortDescription& description);

}  // namespace zelvane
