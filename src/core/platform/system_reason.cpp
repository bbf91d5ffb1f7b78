#include "core/platform/system_reason.h"

#include <cstring>

QString systemReason(int error, const QString& fallback)
{
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : fallback;
}
