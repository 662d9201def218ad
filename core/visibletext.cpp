#include "visibletext.h"

namespace {

bool isHidden(char16_t code)
{
    return code < 0x20 || (code >= 0x7f && code <= 0x9f) || code == 0x061c || code == 0x200e ||
           code == 0x200f || (code >= 0x2028 && code <= 0x202e) || (code >= 0x2066 && code <= 0x2069);
}

} // namespace

QString visibleText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (!isHidden(code))
            shown += character;
        else if (code <= 0xff)
            shown += QStringLiteral("\\x%1").arg(unsigned(code), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(unsigned(code), 4, 16, QLatin1Char('0'));
    }
    return shown;
}
