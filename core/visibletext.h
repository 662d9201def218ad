#pragma once

#include <QString>

// Text from a file, such as a capture's header, made safe to show: control
// characters (C0, DEL, C1) and the marks that reorder text (bidirectional
// embeddings, overrides and isolates) become visible escapes such as \x1b
// and \u202e, so that a file cannot move a terminal's cursor, change its
// title or turn the rest of a message around.
QString visibleText(const QString &text);
