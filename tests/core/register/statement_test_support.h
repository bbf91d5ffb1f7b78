#pragma once

#include "core/platform/user_error.h"
#include "core/register/statement.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// What the statement reader tests share: the sample statements of
// tests/statements, files written byte for byte in a temporary folder, and one
// row per expected entry.
namespace StatementTest {

inline QString sample(const char* name)
{
    return QStringLiteral(PURSEWISE_STATEMENTS "/") + QString::fromLatin1(name);
}

// A file holding exactly `bytes` in a folder of its own, gone with the object.
class TempFile
{
public:
    TempFile(const QString& name, const QByteArray& bytes)
        : m_path(m_folder.filePath(name))
    {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            ADD_FAILURE() << "could not write " << m_path.toStdString();
    }
    const QString& path() const { return m_path; }
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

struct Expected
{
    int line;
    QDate date;
    const char* description;
    std::int64_t cents;
    EntryKind kind;
};

inline const char* kindName(EntryKind kind)
{
    return kind == EntryKind::Charge ? "charge" : kind == EntryKind::Payment ? "payment" : "none";
}

inline void expectEntries(const Statement& statement, const std::vector<Expected>& expected)
{
    ASSERT_EQ(statement.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StatementEntry& e = statement.entries[i];
        const Expected& x = expected[i];
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        EXPECT_EQ(e.problem.toStdString(), "");
        EXPECT_EQ(e.line, x.line);
        EXPECT_EQ(e.date, x.date) << e.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(e.description.toStdString(), x.description);
        EXPECT_EQ(e.cents, x.cents);
        EXPECT_STREQ(kindName(e.kind), kindName(x.kind));
    }
}

// The text of the error `read` raises, or "" when it raises none.
template <typename Read>
std::string errorOf(Read&& read)
{
    try {
        read();
    } catch (const UserError& error) {
        return error.what();
    }
    return {};
}

constexpr EntryKind charge = EntryKind::Charge;
constexpr EntryKind payment = EntryKind::Payment;

} // namespace StatementTest
