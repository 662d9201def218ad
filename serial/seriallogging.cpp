#include "seriallogging.h"

namespace Kv {

Q_LOGGING_CATEGORY(lcSerial, "thalden.serial")

} // namespace Kv
