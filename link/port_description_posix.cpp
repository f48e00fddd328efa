// Port descriptions on Linux, from sysfs: the tty's device directory, then
// up the tree to the USB device that carries idVendor and the strings.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "link/port_description.h"

namespace zelvane {
namespace {

constexpr char kDefaultSysfsRoot[] = "/sys";
constexpr char kTtyClass[] = "/class/tty/";
constexpr char kUsbDeviceMarker[] = "idVendor";

std::string SysfsRoot() {
  const char* root = std::getenv(kSysfsRootVariable);
  return root != nullptr && *root != '\0' ? root : kDefaultSysfsRoot;
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string Parent(const std::string& path) { return path.substr(0, path.rfind('/')); }

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// The path with every symbolic link resolved; empty when it does not exist.
std::string Resolved(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? resolved : "";
}

bool IsSymbolicLink(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

// An attribute's first line without the newline; empty when it is missing.
std::string Attribute(const std::string& dir, const char* name) {
  std::ifstream in(dir + "/" + name);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

// The tty's device directory under the class tree: by the name the port
// is listed under, else by the name of the device a link points to.
std::string TtyDeviceDir(const std::string& root, const std::string& port) {
  std::string device = root + kTtyClass + BaseName(port) + "/device";
  if (!Exists(device) && IsSymbolicLink(port)) {
    device = root + kTtyClass + BaseName(Resolved(port)) + "/device";
  }
  return Resolved(device);
}

// The nearest directory at or above `dir`, inside `root`, that is a USB
// device; empty when the port sits on no USB device.
std::string UsbDeviceDir(std::string dir, const std::string& root) {
  while (dir.size() > root.size() && dir.compare(0, root.size(), root) == 0) {
    if (Exists(dir + "/" + kUsbDeviceMarker)) return dir;
    dir = Parent(dir);
  }
  return {};
}

}  // namespace

PortDescription DescribePort(const std::string& port) {
  PortDescription description;
  const std::string root = Resolved(SysfsRoot());
  if (root.empty()) return description;
  const std::string device = TtyDeviceDir(root, port);
  if (device.empty()) return description;
  const std::string usb = UsbDeviceDir(device, root);
  if (usb.empty()) return description;
  description.manufacturer = Attribute(usb, "manufacturer");
  description.product = Attribute(usb, "product");
  description.serialNumber = Attribute(usb, "serial");
  return description;
}

}  // namespace zelvane
