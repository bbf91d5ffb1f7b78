#pragma once

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "support/temp_dir.h"

// A fresh empty data folder on 8 December 2026 at noon, with short dates as
// M/d/yy; the clock and the date format are put back afterwards.
class OnTheFixedDay : public InTempDir
{
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
        ShortDate::setFormat(QStringLiteral("M/d/yy"));
    }

    void TearDown() override
    {
        ShortDate::setFormat(QString());
        Clock::unfix();
        InTempDir::TearDown();
    }
};
