#include "core/platform/clock.h"

#include <optional>

namespace {
std::optional<QDateTime> fixedMoment;
}

namespace Clock {

QDateTime now()
{
    return fixedMoment ? *fixedMoment : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void fix(const QDateTime& moment)
{
    fixedMoment = moment;
}

void unfix()
{
    fixedMoment.reset();
}

} // namespace Clock
