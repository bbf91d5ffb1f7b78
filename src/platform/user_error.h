#pragma once

#include <stdexcept>
#include <string>

// The one exception the program raises for things the user must be told: a
// malformed number or date in a file, a file that cannot be read or written.
// what() is the exact text of the message box, in UTF-8. Plain C++ so that
// the amounts code, which uses no Qt, can raise it too.
//
// A second text, when present, is shown in its own box right after the first:
// a damaged file names the copy of its original bytes there.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const std::string& text, std::string followUp = {})
        : std::runtime_error(text), m_followUp(std::move(followUp))
    {}

    const std::string& followUp() const { return m_followUp; }

private:
    std::string m_followUp;
};

// "'abc' is not a valid integer value": the conversion messages all quote the
// offending text the same way.
inline UserError conversionError(const std::string& text, const char* what)
{
    return UserError("'" + text + "' is not a valid " + what);
}
