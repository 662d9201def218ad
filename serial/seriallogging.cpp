#include "seriallogging.h"

namespace Kv {

Q_LOGGING_CATEGORY(lcSerial, "thalden.serial")
Q_LOGGING_CATEGORY(lcLockFile, "thalden.lockfile")

} // namespace Kv
