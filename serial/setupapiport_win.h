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
};

// Appends the present devices of the ports setup class (COM and LPT ports) in
// the order the platform enumerates them. Returns false, appending nothing,
// when the platform cannot list them.
bool listSetupApiPorts(std::vector<SetupApiPort> &devices);

} // namespace Kv
