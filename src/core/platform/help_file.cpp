#include "core/platform/help_file.h"

#include "core/platform/user_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifndef PURSEWISE_HELP_FILE
#error "The build names the help file's place in PURSEWISE_HELP_FILE."
#endif

const QString HelpFile::fileName = QStringLiteral("Pursewise.hlp");

QString HelpFile::fixedPath()
{
    return QStringLiteral(PURSEWISE_HELP_FILE);
}

QStringList HelpFile::candidates(const QString& fixedPath, const QString& programDir)
{
    const QDir dir(programDir);
    return {QDir::cleanPath(fixedPath), QDir::cleanPath(dir.filePath(fileName)),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/pursewise/") + fileName))};
}

QString HelpFile::locate(const QString& fixedPath, const QString& programDir)
{
    for (const QString& path : candidates(fixedPath, programDir))
        if (QFileInfo(path).isFile())
            return path;
    return QDir::cleanPath(fixedPath);
}

QString HelpFile::locate()
{
    return locate(fixedPath(), QCoreApplication::applicationDirPath());
}

QString HelpFile::read(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw UserError(
            QStringLiteral("The help file \"%1\" could not be found.").arg(path).toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("The help file \"%1\" could not be read: %2")
                            .arg(path, file.errorString())
                            .toStdString());
    return QString::fromUtf8(file.readAll());
}

QString HelpFile::anchorOf(int topic)
{
    return QStringLiteral("topic%1").arg(topic);
}

bool HelpFile::hasAnchor(const QString& document, const QString& anchor)
{
    // <a name="topic5">, <a name='topic5'> or <a class="x" name=topic5>.
    const QRegularExpression pattern(QStringLiteral(R"(<a\s[^>]*\bname\s*=\s*(["']?)%1\1[\s>/])")
                                         .arg(QRegularExpression::escape(anchor)),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(document).hasMatch();
}

QString HelpFile::topicAnchor(const QString& document, int topic)
{
    for (const QString& anchor : {anchorOf(topic), anchorOf(1)})
        if (hasAnchor(document, anchor))
            return anchor;
    return QString();
}
