#pragma once

#include <QString>
#include <QtGlobal>

// An amount of data as every front end shows it: decimal units with one
// decimal in the user's language ("23.7 kB", "1.2 MB", "512 bytes").
QString dataAmount(qint64 bytes);
