#include "displaylinesplitter.h"

#include <QtGlobal>

DisplayLineSplitter::DisplayLineSplitter(qsizetype maxLength)
    : maxLength(qMax<qsizetype>(1, maxLength))
{}

void DisplayLineSplitter::append(const QByteArray &chunk, QByteArray &text)
{
    // Written through a pointer: this runs over every byte of a download.
    const qsizetype start = text.size();
    text.resize(start + chunk.size() + chunk.size() / maxLength + 1);
    char *out = text.data() + start;
    for (const char c : chunk) {
        if (c == '\0' || c == '\r')
            continue;
        if (c == '\n') {
            lineLength = 0;
        } else if (lineLength == maxLength) {
            *out++ = '\n';
            lineLength = 1;
        } else {
            ++lineLength;
        }
        *out++ = c;
    }
    text.truncate(out - text.constData());
}

void DisplayLineSplitter::reset()
{
    lineLength = 0;
}
