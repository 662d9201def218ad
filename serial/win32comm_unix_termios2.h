#pragma once

// Any baud rate the driver accepts, through termios2: a standard rate by its
// own constant, any other with BOTHER. Kept apart because the kernel's
// <asm/termbits.h> cannot be included together with <termios.h>.

#include <cstdint>

namespace Kv::Termios2 {

// Both return 0 on success, -1 with errno set on failure.
int setBaudRate(int fd, std::uint32_t baudRate);
int baudRate(int fd, std::uint32_t *result);

} // namespace Kv::Termios2
