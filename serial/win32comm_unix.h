#pragma once

// The part of the Win32 communications API the serial devices use, provided
// over POSIX termios with the Win32 meaning: the same types and layouts, the
// same time-out rules and the same error codes from GetLastError().

#include "openerror.h"

#include <cstdint>

typedef std::uint32_t DWORD;
typedef std::uint16_t WORD;
typedef std::uint8_t BYTE;
typedef int BOOL;
typedef void *HANDLE;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef DWORD *LPDWORD;
typedef const wchar_t *LPCWSTR;
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;
typedef struct _SECURITY_ATTRIBUTES SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define MAXDWORD 0xffffffffu

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define OPEN_EXISTING 3u
#define FILE_ATTRIBUTE_NORMAL 0x80u

#define PURGE_TXABORT 0x0001u
#define PURGE_RXABORT 0x0002u
#define PURGE_TXCLEAR 0x0004u
#define PURGE_RXCLEAR 0x0008u

#define DTR_CONTROL_DISABLE 0x00u
#define DTR_CONTROL_ENABLE 0x01u
#define DTR_CONTROL_HANDSHAKE 0x02u
#define RTS_CONTROL_DISABLE 0x00u
#define RTS_CONTROL_ENABLE 0x01u
#define RTS_CONTROL_HANDSHAKE 0x02u
#define RTS_CONTROL_TOGGLE 0x03u

#define NOPARITY 0
#define ODDPARITY 1
#define EVENPARITY 2
#define MARKPARITY 3
#define SPACEPARITY 4
#define ONESTOPBIT 0
#define ONE5STOPBITS 1
#define TWOSTOPBITS 2

#define ERROR_SUCCESS 0u
#define ERROR_INVALID_FUNCTION 1u
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_PATH_NOT_FOUND 3u
#define ERROR_TOO_MANY_OPEN_FILES 4u
#define ERROR_ACCESS_DENIED 5u
#define ERROR_INVALID_HANDLE 6u
#define ERROR_NOT_ENOUGH_MEMORY 8u
#define ERROR_BAD_COMMAND 22u
#define ERROR_GEN_FAILURE 31u
#define ERROR_INVALID_PARAMETER 87u
#define ERROR_OPERATION_ABORTED 995u
#define ERROR_NOT_FOUND 1168u

#define THREAD_TERMINATE 0x0001u

// Same members, widths and order as the Win32 structure (28 bytes).
struct DCB
{
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};

struct COMMTIMEOUTS
{
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};

// A port name without a slash is a node in /dev; the port is held exclusively
// (flock, TIOCEXCL and the UUCP lock file other serial programs use).
HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);
DWORD GetLastError();
// Restores the last error, for a caller that made other calls since.
void SetLastError(DWORD error);

BOOL GetCommState(HANDLE handle, DCB *dcb);
BOOL SetCommState(HANDLE handle, DCB *dcb);
BOOL SetupComm(HANDLE handle, DWORD inQueue, DWORD outQueue);
BOOL SetCommMask(HANDLE handle, DWORD eventMask);
BOOL PurgeComm(HANDLE handle, DWORD flags);
BOOL SetCommTimeouts(HANDLE handle, COMMTIMEOUTS *timeouts);
BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS *timeouts);

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped);
BOOL FlushFileBuffers(HANDLE handle);

namespace Kv {

// Linux only: what CreateFileW, GetCommState and SetCommState are built on.
// A failure also hands error its Win32 code, the errno and the step behind it
// and a held lock file's owner and path, which the Win32 code alone does not
// tell apart; error's call is the caller's to name. Success leaves error alone.
HANDLE createFile(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, DWORD creationDisposition,
                  OpenError &error);
BOOL getCommState(HANDLE handle, DCB *dcb, OpenError &error);
BOOL setCommState(HANDLE handle, DCB *dcb, OpenError &error);

} // namespace Kv

DWORD GetCurrentThreadId();
// A handle of the thread with that id, for CancelSynchronousIo; closed with
// CloseHandle.
HANDLE OpenThread(DWORD desiredAccess, BOOL inheritHandle, DWORD threadId);
// Ends the ReadFile or WriteFile that thread is blocked in: it fails with
// ERROR_OPERATION_ABORTED (a read with bytes already taken returns them).
// FALSE with ERROR_NOT_FOUND when the thread is in no such call.
BOOL CancelSynchronousIo(HANDLE thread);
