#pragma once

#include <QLibrary>
#include <QString>

// A shared library loaded the first time something in it is asked for, not
// when the program starts. Every library linked to the program is mapped and
// relocated before its first window can show, and the symbols of all of them
// are searched at every later lookup; libraries that only one command needs
// (the statement readers' libofx and libcsv) are cheaper loaded here. It is
// never unloaded.
class LateLibrary
{
public:
    // `fileName` is the library's soname, "libcsv.so.3".
    explicit LateLibrary(const QString& fileName) : m_library(fileName) {}

    // The function or variable `name` as a pointer of type T (a function
    // type or an object type), loading the library at the first call;
    // nullptr when the library or the name is missing.
    template <class T>
    T* find(const char* name)
    {
        return reinterpret_cast<T*>(m_library.resolve(name));
    }
    // Sets `pointer` to the function or variable `name` of its type, or to
    // nullptr; answers whether it was found.
    template <class T>
    bool find(T*& pointer, const char* name)
    {
        pointer = find<T>(name);
        return pointer != nullptr;
    }
    // Why a find gave nullptr, in the loader's words.
    QString reason() const
    {
        const QString said = m_library.errorString();
        return said.isEmpty()
                   ? QStringLiteral("%1 lacks a name the program needs").arg(m_library.fileName())
                   : said;
    }

private:
    QLibrary m_library;
};
