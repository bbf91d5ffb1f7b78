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

// The text as a message quotes it: at most 40 characters, then "…", so that a
// damaged line of thousands of characters still gives a box one can read.
inline std::string quotedText(const std::string& text)
{
    constexpr int longest = 40;
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A UTF-8 character starts at every byte that does not continue one.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > longest)
            return text.substr(0, i) + "\xE2\x80\xA6";
    }
    return text;
}

// "'abc' is not a valid integer value": the conversion messages all quote the
// offending text the same way.
inline UserError conversionError(const std::string& text, const char* what)
{
    return UserError("'" + quotedText(text) + "' is not a valid " + what);
}
