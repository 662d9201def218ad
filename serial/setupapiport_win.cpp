#include "setupapiport_win.h"

#include <windows.h>

#include <setupapi.h>

#include <algorithm>

namespace Kv {

namespace {

// GUID_DEVCLASS_PORTS, spelt out so that no GUID definitions need linking.
const GUID portsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// Registry texts need not end with a zero character, and the byte count can
// be odd: never read past what the call returned.
std::wstring textFrom(const std::vector<wchar_t> &buffer, DWORD byteCount)
{
    const size_t count = std::min<size_t>(byteCount / sizeof(wchar_t), buffer.size());
    std::wstring text(buffer.data(), count);
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return text;
}

// Of a list of texts (SPDRP_HARDWAREID) this gives the first.
std::wstring deviceProperty(HDEVINFO list, SP_DEVINFO_DATA &device, DWORD property)
{
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyW(list, &device, property, nullptr, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(list, &device, property, nullptr,
                                           reinterpret_cast<PBYTE>(buffer.data()), size, &size))
        return {};
    return textFrom(buffer, size);
}

std::wstring instanceId(HDEVINFO list, SP_DEVINFO_DATA &device)
{
    DWORD size = 0;
    SetupDiGetDeviceInstanceIdW(list, &device, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<wchar_t> buffer(size + 1, L'\0');
    if (!SetupDiGetDeviceInstanceIdW(list, &device, buffer.data(), DWORD(buffer.size()), nullptr))
        return {};
    return buffer.data();
}

std::wstring registryPortName(HDEVINFO list, SP_DEVINFO_DATA &device)
{
    const HKEY key = SetupDiOpenDevRegKey(list, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    std::wstring name;
    DWORD size = 0;
    if (RegQueryValueExW(key, L"PortName", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, L"PortName", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer.data()),
                             &size) == ERROR_SUCCESS)
            name = textFrom(buffer, size);
    }
    RegCloseKey(key);
    return name;
}

} // namespace

bool listSetupApiPorts(std::vector<SetupApiPort> &devices)
{
    const HDEVINFO list = SetupDiGetClassDevsW(&portsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (list == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list, index, &device); ++index) {
        SetupApiPort port;
        port.friendlyName = deviceProperty(list, device, SPDRP_FRIENDLYNAME);
        port.physicalName = deviceProperty(list, device, SPDRP_PHYSICAL_DEVICE_OBJECT_NAME);
        port.enumeratorName = deviceProperty(list, device, SPDRP_ENUMERATOR_NAME);
        port.hardwareId = deviceProperty(list, device, SPDRP_HARDWAREID);
        port.instanceId = instanceId(list, device);
        port.portName = registryPortName(list, device);
        devices.push_back(port);
    }
    SetupDiDestroyDeviceInfoList(list);
    return true;
}

void listSerialCommPorts(std::vector<std::wstring> &names)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return;
    DWORD valueCount = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, &longestName,
                         &longestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> name(longestName + 1);
        std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 1);
        for (DWORD index = 0; index < valueCount; ++index) {
            DWORD nameLength = DWORD(name.size());
            DWORD dataSize = DWORD(data.size() * sizeof(wchar_t));
            DWORD type = 0;
            if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                              reinterpret_cast<LPBYTE>(data.data()), &dataSize) == ERROR_SUCCESS &&
                type == REG_SZ) {
                const std::wstring port = textFrom(data, dataSize);
                if (!port.empty())
                    names.push_back(port);
            }
        }
    }
    RegCloseKey(key);
}

} // namespace Kv
