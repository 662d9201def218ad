// Tells every top-level window that a serial port arrived or went, or that
// the device tree changed, as Windows does when an adapter is plugged in or
// out: for testing the port list where no adapter can be plugged (Wine).
//   devicebroadcast arrival COM21 | removal COM21 | nodes
#include <windows.h>

#include <dbt.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t **argv)
{
    const bool arrival = argc == 3 && std::wcscmp(argv[1], L"arrival") == 0;
    const bool removal = argc == 3 && std::wcscmp(argv[1], L"removal") == 0;
    const bool nodes = argc == 2 && std::wcscmp(argv[1], L"nodes") == 0;
    if (!arrival && !removal && !nodes) {
        std::fputs("usage: devicebroadcast arrival COMn | removal COMn | nodes\n", stderr);
        return 2;
    }
    WPARAM event = DBT_DEVNODES_CHANGED;
    LPARAM data = 0;
    // The port's name follows the header in the same block.
    std::vector<char> port;
    if (!nodes) {
        event = arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
        const size_t nameBytes = (std::wcslen(argv[2]) + 1) * sizeof(wchar_t);
        port.assign(offsetof(DEV_BROADCAST_PORT_W, dbcp_name) + nameBytes, 0);
        auto *header = reinterpret_cast<DEV_BROADCAST_PORT_W *>(port.data());
        header->dbcp_size = DWORD(port.size());
        header->dbcp_devicetype = DBT_DEVTYP_PORT;
        std::memcpy(header->dbcp_name, argv[2], nameBytes);
        data = reinterpret_cast<LPARAM>(header);
    }
    // Sent, not posted, as Windows does: when this returns, every window has it.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, event, data, SMTO_ABORTIFHUNG, 10000,
                             &result)) {
        std::fprintf(stderr, "devicebroadcast: error %lu\n", GetLastError());
        return 1;
    }
    return 0;
}
