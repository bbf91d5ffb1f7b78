#pragma once

#include "support/qt_printing.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Runs a test inside a fresh empty working directory, the way the program runs
// inside its data folder, and returns to the old one afterwards.
class InTempDir : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }

    void TearDown() override { QDir::setCurrent(m_previous); }

    static QByteArray bytesOf(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static void putBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

#include <map>

// Every file of the working directory with its bytes, to show that an
// operation wrote nothing, or exactly what it wrote.
inline std::map<QString, QByteArray> folderSnapshot()
{
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir::current().entryList(QDir::Files, QDir::Name)) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly))
            files[name] = file.readAll();
    }
    return files;
}
