#pragma once

// Kept free of Qt so that the Win32 calls can be checked with a cross
// compiler where no Windows build of Qt is at hand.

#include <string>
#include <vector>

namespace Kv {

// What the device-installation API and the registry report about one device
// of the ports setup class. A text the device does not have is empty.
struct SetupApiPort
{
    std::wstring portName;
    std::wstring physicalName;
    std::wstring friendlyName;
    std::wstring enumeratorName;
    std::wstring hardwareId; // the first of the device's hardware identifiers
    std::wstring instanceId; // USB\VID_0403&PID_6001\A600XYZ
};

// Appends the present devices of the ports setup class (COM and LPT ports) in
// the order the platform enumerates them. Returns false, appending nothing,
// when the platform cannot list them.
bool listSetupApiPorts(std::vector<SetupApiPort> &devices);

// Appends the port names (COM5) that HKLM\HARDWARE\DEVICEMAP\SERIALCOMM lists,
// in the registry's order. Every serial port driver enters its ports there,
// also the virtual ones that the ports setup class leaves out (and, under
// Wine, every port). Appends nothing when the key is missing: no ports.
void listSerialCommPorts(std::vector<std::wstring> &names);

} // namespace Kv
