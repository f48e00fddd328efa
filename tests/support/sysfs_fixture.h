// A folder that stands in for /sys and /dev: USB devices with the
// attribute files the kernel gives them, ttys below them, and links to
// ports. Removed with the fixture.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace zelvane::testing {

class SysfsFixture {
 public:
  SysfsFixture() {
    char pattern[] = "/tmp/zelvane-sysfs.XXXXXX";
    root_ = mkdtemp(pattern);
  }
  ~SysfsFixture() { std::system(("rm -rf " + root_).c_str()); }
  SysfsFixture(const SysfsFixture&) = delete;
  SysfsFixture& operator=(const SysfsFixture&) = delete;

  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
  // What the lookup takes as its sysfs root.
  std::string SysRoot() const { return Path("sys"); }

  void Folder(const std::string& relative) const {
    std::string path;
    std::istringstream parts(relative);
    for (std::string part; std::getline(parts, part, '/');) {
      path += (path.empty() ? "" : "/") + part;
      mkdir(Path(path).c_str(), 0755);
    }
  }
  void File(const std::string& relative, const std::string& text) const {
    std::ofstream(Path(relative)) << text << "\n";
  }
  void Link(const std::string& target, const std::string& relative) const {
    symlink(target.c_str(), Path(relative).c_str());
  }

  void UsbDevice(const std::string& device, const std::string& manufacturer,
                 const std::string& product, const std::string& serial) const {
    Folder("sys/" + device);
    File("sys/" + device + "/idVendor", "0403");
    File("sys/" + device + "/manufacturer", manufacturer);
    File("sys/" + device + "/product", product);
    if (!serial.empty()) File("sys/" + device + "/serial", serial);
  }
  // A tty whose device is `deviceDir`.
  void Tty(const std::string& name, const std::string& deviceDir) const {
    Folder("sys/" + deviceDir);
    Folder("sys/class/tty/" + name);
    Link(Path("sys/" + deviceDir), "sys/class/tty/" + name + "/device");
  }

 private:
  std::string root_;
};

}  // namespace zelvane::testing
