// The parts of the serial port common to both platforms: the port object
// and the listing with its busy marks.
#include "link/serial_port.h"

namespace zelvane {

SerialPort::SerialPort(LinePtr line, std::string name)
    : line_(std::move(line)), name_(std::move(name)) {}

SerialPort::~SerialPort() { Close(); }

std::unique_ptr<SerialPort> SerialPort::Open(const std::string& name, OpenError* error) {
  OpenError ignored;
  OpenError& why = error ? *error : ignored;
  why = OpenError{};
  LinePtr line = OpenLine(name, why);
  if (!line) return nullptr;
  return std::unique_ptr<SerialPort>(new SerialPort(std::move(line), name));
}

bool SerialPort::Close() { return !line_ || CloseLine(line_.release()); }

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> entries;
  for (const std::string& name : SystemPortNames()) {
    PortHandle probe = OpenPort(name);
    entries.push_back(probe ? name : name + kInUseMark);
  }
  return entries;
}

}  // namespace zelvane
