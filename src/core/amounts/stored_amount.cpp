#include "core/amounts/stored_amount.h"

#include "core/amounts/cc_math.h"
#include "core/platform/user_error.h"
#include "core/platform/grid_file.h"

void checkStoredAmount(QStringView text, qsizetype line, const QString& name)
{
    if (isPlainStoredAmount(text))
        return;
    try {
        TccMath().CheckAmount(text.toString().toStdString());
    } catch (const UserError& error) {
        throw UserError(error.what() + lineOfFile(line, name));
    }
}
