// Connecting to the device as the window's Connect does: identify it on
// the chosen port, or scan the list for it, then read what it holds. The
// result says why it failed as data; each front end puts it in its words.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/discovery.h"
#include "session/device_session.h"

namespace zelvane {

enum class ConnectFailure {
  None,
  PortMarkedInUse,  // the chosen entry carries the in-use mark: nothing was opened
  PortNotOpened,    // the chosen entry would not open (see `portChoice.error`)
  NoDeviceOnPort,   // the port opened, but no device identified on it
  NoPortsListed,    // scan mode with an empty list
  NoDeviceOnList,   // no listed port identified (or the scan was broken off)
  SettingsUnread,   // the device was found but did not hand over its settings
};

// Where to look: the port open now, one entry, or (without either) every
// entry of `scanList`.
struct ConnectTarget {
  std::optional<std::string> port;
  std::vector<std::string> scanList;
  // The port was chosen beforehand (ChoosePort), as the window's list does.
  bool portOpen = false;

  bool Scanning() const { return !portOpen && !port; }
};

struct ConnectResult {
  ConnectFailure failure = ConnectFailure::None;
  PortChoiceResult portChoice;             // how choosing the port went, with a port given
  Identification identification;           // what discovery found
  std::string foundOn;                     // the port the device identified on
  std::optional<DeviceSettings> settings;  // when the device was found and read
};

// The steps as they start, for a front end that shows them; each does
// nothing unless it says otherwise. Called on the thread that connects.
class ConnectSteps {
 public:
  virtual ~ConnectSteps() = default;
  // Identification starts on the chosen port.
  virtual void LookingOnPort(const std::string& port) { (void)port; }
  // The scan over the list starts.
  virtual void LookingOnList() {}
  // The identification or the scan has ended, found or not; it comes in
  // every connect that got past opening the chosen port.
  virtual void DiscoveryEnded(const Identification& identification) { (void)identification; }
  // The device identified (on `session.PortName()`); its settings are read next.
  virtual void DeviceFound(const DeviceSession& session, const Identification& found) {
    (void)session;
    (void)found;
  }
};

// In scan mode a device that does not hand over its settings is not
// connected: its port is closed again. On a chosen port it stays open.
// On the port open now, without one, no device identifies.
ConnectResult Connect(DeviceSession& session, const ConnectTarget& target, ConnectSteps& steps);

}  // namespace zelvane
