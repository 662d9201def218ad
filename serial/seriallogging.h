#pragma once

#include <QLoggingCategory>

namespace Kv {

// The serial layer's trace lines (debug) and failures (warnings), in the
// category "thalden.serial": a front end turns them off with a filter rule
// where standard error belongs to its user.
Q_DECLARE_LOGGING_CATEGORY(lcSerial)
// A port opened beside a lock file that is in its way (warnings), in the
// category "thalden.lockfile": every front end shows it, as the user should
// know which file was passed over.
Q_DECLARE_LOGGING_CATEGORY(lcLockFile)

} // namespace Kv
