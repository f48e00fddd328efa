// The parts of the serial port common to both platforms: the port object
// and the listing with its busy marks.
#include "link/serial_port.h"

namespace zelvane {

SerialPort::SerialPort(std::intptr_t handle, std::string name)
    : handle_(handle), name_(std::move(name)) {}

SerialPort::~SerialPort() { Close(); }

std::unique_ptr<SerialPort> SerialPort::Open(const std::string& name, OpenFailure* failure) {
  OpenFailure ignored;
  OpenFailure& why = failure ? *failure : ignored;
  why = OpenFailure::None;
  const std::intptr_t handle = OpenHandle(name, why);
  if (handle == kNoHandle) return nullptr;
  return std::unique_ptr<SerialPort>(new SerialPort(handle, name));
}

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> entries;
  for (const std::string& name : SystemPortNames()) {
    PortHandle probe = OpenPort(name);
    entries.push_back(probe ? name : name + kInUseMark);
  }
  return entries;
}

}  // namespace zelvane
