#include "platform/conversions.h"

#include "platform/user_error.h"

int parseInteger(QStringView text)
{
    // toInt would also take surrounding blanks; a file field must be the
    // number and nothing else.
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    const bool bare = !text.isEmpty() && !text.front().isSpace() && !text.back().isSpace();
    if (!ok || !bare)
        throw conversionError(text.toString().toStdString(), "integer value");
    return value;
}
