#pragma once

#include "core/program/pursewise.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// What every fuzz target shares: a scratch data folder that the process works
// in, the file bytes, and pictures of the program state to compare.
namespace Fuzz {

// Once per process: a fresh scratch folder as the working directory (removed
// at exit), the clock fixed to 8 December 2026, short dates as M/d/yy, and
// messages swallowed.
void setUp();

// Empties the scratch folder of files, so that no input sees another's.
void clearFolder();

QByteArray bytesOf(const QString& name);
void putBytes(const QString& name, const QByteArray& bytes);

// Runs a load; true when it finished, false when it stopped with the
// program's own error. Any other exception escapes and is a finding.
bool loads(const std::function<void()>& load);

// Every cell and field of the program state, in a fixed order.
struct State
{
    std::vector<QString> sg1;
    std::vector<QString> ledger;
    std::vector<QString> beginBal;
    std::vector<QString> fields;
    QStringList years;
    std::vector<long long> counters;
    bool operator==(const State&) const = default;
};
State stateOf(const Pursewise& p);

// The cells of one table.
std::vector<QString> cellsOf(const TextGrid& grid);

// Stops the run with a message: the fuzzer reports it as a crash with the input.
[[noreturn]] void fail(const char* what);
inline void require(bool condition, const char* what)
{
    if (!condition)
        fail(what);
}

} // namespace Fuzz
