#pragma once

// Kept free of Qt, as the device-installation listing is.

#include <string>
#include <vector>

namespace Kv {

// The port names (COM5) that HKLM\HARDWARE\DEVICEMAP\SERIALCOMM lists, in the
// registry's order. Every serial port driver enters its ports there, also the
// virtual ones that the ports setup class leaves out (and, under Wine, every
// port). Appends nothing when the key is missing: a machine without ports.
void listSerialCommPorts(std::vector<std::wstring> &names);

} // namespace Kv
