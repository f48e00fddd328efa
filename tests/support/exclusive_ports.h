// Whether a port that is open cannot be opened a second time: so on Linux
// and on Windows, but Wine ignores the exclusive share mode.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace zelvane::testing {

inline bool PortsAreExclusive() {
#ifdef _WIN32
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
#else
  return true;
#endif
}

constexpr char kWineSharesPorts[] = "Wine does not enforce the exclusive share mode; covered on Linux";

}  // namespace zelvane::testing
