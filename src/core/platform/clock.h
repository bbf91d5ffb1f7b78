#pragma once

#include <QDate>
#include <QDateTime>

// The one place the program asks for "now". Tests and the scenario runner fix
// it to a chosen moment; otherwise it is the system clock in local time.
namespace Clock {

QDateTime now();
QDate today();

// From here on now() answers `moment` until unfix() is called.
void fix(const QDateTime& moment);
void unfix();

} // namespace Clock
