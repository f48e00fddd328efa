// Port descriptions on Windows: the friendly name of the device of the
// ports class whose name ends with "(COMn)".
#include <windows.h>
// initguid.h makes devguid.h define the class GUIDs rather than declare them.
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>

#include <vector>

#include "link/port_description.h"

namespace zelvane {
namespace {

std::string FriendlyName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  DWORD size = 0;
  SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_FRIENDLYNAME, nullptr, nullptr, 0,
                                    &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size + 1, 0);
  if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                                         buffer.data(), size, nullptr)) {
    return {};
  }
  return reinterpret_cast<const char*>(buffer.data());
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

PortDescription DescribePort(const std::string& port) {
  PortDescription description;
  HDEVINFO devices = SetupDiGetClassDevsA(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return description;
  // "(COM1)" must not match "(COM10)": the whole bracket is compared.
  const std::string bracket = "(" + port + ")";
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    const std::string name = FriendlyName(devices, device);
    if (EndsWith(name, bracket)) {
      description.friendlyName = name;
      break;
    }
  }
  SetupDiDestroyDeviceInfoList(devices);
  return description;
}

}  // namespace zelvane
