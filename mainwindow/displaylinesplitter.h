#pragma once

#include <QByteArray>

// Turns received bytes into the text the output shows: one character a byte
// (Latin-1), without NUL bytes and carriage returns, and with a line break
// after every maxLength characters of a line, so that the text field never
// has a longer line to lay out. A line may go on from one chunk to the next.
class DisplayLineSplitter
{
public:
    static constexpr qsizetype defaultMaxLength = 64 * 1024;

    explicit DisplayLineSplitter(qsizetype maxLength = defaultMaxLength);

    // Appends the display text of chunk to text.
    void append(const QByteArray &chunk, QByteArray &text);
    // The next chunk starts a new line.
    void reset();

private:
    qsizetype maxLength;
    qsizetype lineLength = 0; // characters of the current display line
};
