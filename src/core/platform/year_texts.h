#pragma once

#include <QString>

// The two hidden year texts both big windows work from, two digits each:
// the current year ("26" for 2026) and the year the register shows or will
// open at. The register's logic reads them; the main window sets them.
struct YearTexts
{
    QString CurrentYr;
    QString SelectedYr;
};
