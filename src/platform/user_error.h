#pragma once

#include <stdexcept>
#include <string>

// The one exception the program raises for things the user must be told: a
// malformed number or date in a file, a file that cannot be read or written.
// what() is the exact text of the message box, in UTF-8. Plain C++ so that
// the amounts code, which uses no Qt, can raise it too.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

// "'abc' is not a valid integer value": the conversion messages all quote the
// offending text the same way.
inline UserError conversionError(const std::string& text, const char* what)
{
    return UserError("'" + text + "' is not a valid " + what);
}
