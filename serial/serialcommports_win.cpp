#include "serialcommports_win.h"

#include <windows.h>

namespace Kv {

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
        // The data need not end with a zero character: room for one more.
        std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 1);
        for (DWORD index = 0; index < valueCount; ++index) {
            DWORD nameLength = DWORD(name.size());
            DWORD dataSize = DWORD((data.size() - 1) * sizeof(wchar_t));
            DWORD type = 0;
            if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                              reinterpret_cast<LPBYTE>(data.data()), &dataSize) != ERROR_SUCCESS ||
                type != REG_SZ)
                continue;
            std::wstring port(data.data(), dataSize / sizeof(wchar_t));
            port.resize(wcsnlen(port.c_str(), port.size()));
            if (!port.empty())
                names.push_back(port);
        }
    }
    RegCloseKey(key);
}

} // namespace Kv
