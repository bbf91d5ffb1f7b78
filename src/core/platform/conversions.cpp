#include "core/platform/conversions.h"

#include "core/platform/user_error.h"

int parseInteger(QStringView text)
{
    // An optional sign and decimal digits, nothing else (no blanks), within
    // 32 bits. Read by hand: this runs for every field of every data file.
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+'))
        ++i;
    long long value = 0;
    const bool digits = i < text.size();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9' || value > 2147483648LL)
            break;
        value = value * 10 + (c - u'0');
    }
    if (negative)
        value = -value;
    if (!digits || i != text.size() || value > 2147483647LL || value < -2147483648LL)
        throw conversionError(text.toString().toStdString(), "integer value");
    return int(value);
}
