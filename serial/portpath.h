#pragma once

#include <QString>

#include <string>

namespace Kv {

// The path under which the system opens the port with the given name: COM3
// becomes \\.\COM3 on Windows, ttyUSB0 becomes /dev/ttyUSB0 elsewhere; a name
// that already is such a path is used unchanged.
std::wstring portOpenPath(const std::wstring &portName);
// The other way round, for messages and captures: the port as the user knows
// it (ttyUSB0, pts/3, COM12); any other path unchanged.
QString portShownAs(const QString &path);

} // namespace Kv
