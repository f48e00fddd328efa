// Finding the device's RF module on the open port, or on each listed port.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/commands.h"

namespace zelvane {

constexpr std::uint8_t kRfModuleType = 32;
constexpr char kExpectedRevision[] = "rev3_20102009";

constexpr std::uint8_t kFound = 0;
constexpr std::uint8_t kScanBroken = 254;
constexpr std::uint8_t kNotFound = 255;

// What discovery learns about the device.
struct DiscoveryState {
  std::uint8_t ModuleAddress = 0;
  bool DeviceRecognised = false;
  std::string Revision;  // the RF module's revision text
};

// Raised from another thread to break off a scan at the next port that
// opens.
using ScanBreak = std::atomic<bool>;

struct Identification {
  std::uint8_t result = kNotFound;
  // The modulation read from a recognised device, when that read succeeded.
  std::optional<std::uint8_t> modulation;
};

// Uses the open port; changes `state` only when an RF module was found.
Identification IdentifyDevice(DeviceLink device, DiscoveryState& state);

// Told of each entry that opened, just before it is identified.
using PortVisit = std::function<void(const std::string& entry)>;

// Tries the entries in order until one identifies; the found port is left
// open in `port`, every other port is closed. A break raised meanwhile
// ends the scan at the next port that opens, before it is identified; the
// link is interrupted with it, so that a port being identified is given up
// at once.
Identification ScanPorts(Link& link, const std::vector<std::string>& entries, PortHandle& port,
                         DiscoveryState& state, const ScanBreak& BreakScanRequest,
                         const PortVisit& visit = {});

}  // namespace zelvane
