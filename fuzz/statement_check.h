#pragma once

#include "core/platform/user_error.h"
#include "core/register/statement.h"
#include "fuzz_support.h"

#include <functional>
#include <string>

// What every statement reader promises, whatever the bytes: it finishes or
// raises the program's own error, worded "Could not import ..."; every entry
// it gives either says its problem or has a real date, some cents and a kind;
// its lines count from 1 (0 only where a reader says it cannot tell).
namespace Fuzz {

inline void checkStatement(const std::function<Statement()>& read, bool lineMayBeZero)
{
    Statement statement;
    try {
        statement = read();
    } catch (const UserError& error) {
        require(std::string(error.what()).rfind("Could not import \"", 0) == 0,
                "a statement error does not start with Could not import");
        return;
    }
    for (const StatementEntry& entry : statement.entries) {
        if (entry.problem.isEmpty()) {
            require(entry.date.isValid(), "an entry without a problem has no date");
            require(entry.cents > 0, "an entry without a problem has no cents");
            require(entry.kind == EntryKind::Charge || entry.kind == EntryKind::Payment,
                    "an entry without a problem has no kind");
        } else {
            require(entry.kind == EntryKind::None, "an entry with a problem has a kind");
        }
        require(entry.cents >= 0, "an entry has negative cents");
        require(entry.line >= 1 || (lineMayBeZero && entry.line == 0), "an entry has no line");
    }
}

} // namespace Fuzz
