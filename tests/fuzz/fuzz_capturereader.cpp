// libFuzzer's entry to CaptureReader (tools/fuzz-capture-reader): any file
// is read to its end or refused with a reason, with times that never go
// backwards, and never crashes, hangs or takes memory by its numbers.

#include "capturereader.h"

#include <QDir>

#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = QDir::temp().filePath(QStringLiteral("fuzz-capture-%1").arg(::getpid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    CaptureReader reader(path);
    qint64 last = 0;
    if (reader.open()) {
        CaptureFormat::Chunk chunk;
        while (reader.readChunk(chunk)) {
            if (chunk.microseconds < last)
                std::abort();
            last = chunk.microseconds;
        }
        if (!reader.hasError() && !reader.outcomeMissing() && reader.end().microseconds < last)
            std::abort();
    }
    if (reader.hasError() == reader.errorString().isEmpty())
        std::abort();
    return 0;
}
