#include "script.h"

#include <QRegularExpression>
#include <QStringList>

#include <map>

namespace {

struct BadLine
{
    QString problem;
};

// "a b c" gives "a" and "b c"; without a blank the rest is missing.
std::pair<QString, std::optional<QString>> firstWord(const QString& text)
{
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return {text, std::nullopt};
    return {text.left(blank), text.mid(blank + 1)};
}

QString required(const std::optional<QString>& rest, const char* what)
{
    if (!rest || rest->isEmpty())
        throw BadLine{QStringLiteral("expected %1").arg(QLatin1String(what))};
    return *rest;
}

bool isName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name)
        if (c.isSpace() || c == u'.')
            return false;
    return true;
}

enum class Names
{
    Window,
    Control,
    Either
};

// "W.C" or "W" into the step, as the step allows.
void readTarget(Step& step, const QString& target, Names names)
{
    const qsizetype dot = target.indexOf(u'.');
    step.window = dot < 0 ? target : target.left(dot);
    step.control = dot < 0 ? QString() : target.mid(dot + 1);
    if (!isName(step.window) || (dot >= 0 && !isName(step.control)))
        throw BadLine{QStringLiteral("\"%1\" names no window or control").arg(target)};
    if (names == Names::Control && step.control.isEmpty())
        throw BadLine{QStringLiteral("expected WINDOW.CONTROL, not \"%1\"").arg(target)};
    if (names == Names::Window && !step.control.isEmpty())
        throw BadLine{QStringLiteral("expected a window, not \"%1\"").arg(target)};
}

int number(const QString& text, int lowest)
{
    bool ok = !text.isEmpty();
    for (const QChar c : text)
        ok = ok && c.isDigit() && c.unicode() < 128;
    const int value = ok ? text.toInt(&ok) : 0;
    if (!ok || value < lowest)
        throw BadLine{QStringLiteral("\"%1\" is no whole number from %2 up").arg(text).arg(lowest)};
    return value;
}

bool yesOrNo(const QString& text)
{
    if (text == u"yes")
        return true;
    if (text == u"no")
        return false;
    throw BadLine{QStringLiteral("expected yes or no, not \"%1\"").arg(text)};
}

QString fileName(const std::optional<QString>& rest)
{
    const QString name = required(rest, "a file name");
    if (name.contains(u'/') || name.contains(u'\\') || name == u"." || name == u"..")
        throw BadLine{QStringLiteral("\"%1\" is no data file name").arg(name)};
    return name;
}

// A whole number that may be negative: a window's place on the screen.
int signedNumber(const QString& text)
{
    if (text.startsWith(u'-'))
        return -number(text.mid(1), 0);
    return number(text, 0);
}

// expect-text's TEXT: "\n" is a line break and "\\" one backslash; any other
// backslash stands for itself, so "C:\data" reads as written.
QString unescapedText(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() &&
            (text[i + 1] == u'n' || text[i + 1] == u'\\')) {
            out += text[i + 1] == u'n' ? u'\n' : u'\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One line of a bytes block: "hex 0d 0a" gives those bytes; any other line
// is text whose escapes \r, \n, \t, \\ and \xHH give one byte each. No
// line end is added.
QByteArray bytesOfLine(const QByteArray& line)
{
    QByteArray bytes;
    if (line.startsWith("hex ")) {
        for (const QByteArray& pair : line.mid(4).split(' ')) {
            if (pair.isEmpty())
                continue;
            if (pair.size() != 2 || hexDigit(pair[0]) < 0 || hexDigit(pair[1]) < 0)
                throw BadLine{QStringLiteral("\"%1\" is no hex pair").arg(QString::fromUtf8(pair))};
            bytes += char(hexDigit(pair[0]) * 16 + hexDigit(pair[1]));
        }
        return bytes;
    }
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            bytes += line[i];
            continue;
        }
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (next == 'x' && i + 3 < line.size() && hexDigit(line[i + 2]) >= 0 &&
            hexDigit(line[i + 3]) >= 0) {
            bytes += char(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
            i += 3;
            continue;
        }
        const std::map<char, char> escapes = {{'r', '\r'}, {'n', '\n'}, {'t', '\t'}, {'\\', '\\'}};
        const auto escape = escapes.find(next);
        if (escape == escapes.end())
            throw BadLine{QStringLiteral("\"%1\" is no escape: write \\r, \\n, \\t, \\\\ or \\xHH")
                              .arg(QString::fromUtf8(line.mid(i, 2)))};
        bytes += escape->second;
        ++i;
    }
    return bytes;
}

// expect-points' TEXT: "YYYY-MM-DD AMOUNT" pairs separated by "; ", the
// amounts as money text ("742.35", "-20.00", "0.05"); empty for no points.
std::vector<Step::Point> chartPoints(const QString& text)
{
    std::vector<Step::Point> points;
    if (text.isEmpty())
        return points;
    static const QRegularExpression pair(
        QStringLiteral("^([0-9]{4}-[0-9]{2}-[0-9]{2}) (-?)([0-9]{1,16})\\.([0-9]{2})$"));
    for (const QString& item : text.split(QStringLiteral("; "))) {
        const QRegularExpressionMatch match = pair.match(item);
        const QDate date =
            match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
        if (!date.isValid())
            throw BadLine{QStringLiteral("\"%1\" is no point: write YYYY-MM-DD AMOUNT, as "
                                         "2026-03-05 742.35, and \"; \" between points")
                              .arg(item)};
        const qint64 cents = match.captured(3).toLongLong() * 100 + match.captured(4).toLongLong();
        points.push_back({date, match.captured(2).isEmpty() ? cents : -cents});
    }
    return points;
}

const std::map<QString, Step::Kind>& kinds()
{
    using K = Step::Kind;
    static const std::map<QString, Step::Kind> table = {
        {"clock", K::Clock},
        {"shortdate", K::ShortDate},
        {"file", K::File},
        {"start", K::Start},
        {"click", K::Click},
        {"type", K::Type},
        {"date", K::Date},
        {"row", K::Row},
        {"item", K::Item},
        {"key", K::Key},
        {"close", K::Close},
        {"expect-message", K::ExpectMessage},
        {"expect-text", K::ExpectText},
        {"expect-cell", K::ExpectCell},
        {"expect-visible", K::ExpectVisible},
        {"expect-checked", K::ExpectChecked},
        {"expect-focus", K::ExpectFocus},
        {"expect-file", K::ExpectFile},
        {"expect-no-file", K::ExpectNoFile},
        {"expect-help", K::ExpectHelp},
        {"shot", K::Shot},
        {"restart", K::Restart},
        {"bytes", K::Bytes},
        {"deny", K::Deny},
        {"resize", K::Resize},
        {"expect-geometry", K::ExpectGeometry},
        {"choose-file", K::ChooseFile},
        {"tick", K::Tick},
        {"pick", K::Pick},
        {"expect-points", K::ExpectPoints},
    };
    return table;
}

// Reads the arguments of one step line; a file block is read by the caller.
void readArguments(Step& step, const std::optional<QString>& rest)
{
    using K = Step::Kind;
    switch (step.kind) {
    case K::Clock:
        step.moment = QDateTime::fromString(required(rest, "YYYY-MM-DD HH:MM:SS"),
                                            QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!step.moment.isValid())
            throw BadLine{QStringLiteral("expected YYYY-MM-DD HH:MM:SS")};
        return;
    case K::ShortDate:
        step.text = required(rest, "a date pattern");
        return;
    case K::File:
    case K::ExpectFile:
    case K::ExpectNoFile:
    case K::Bytes:
    case K::Deny:
        step.text = fileName(rest);
        return;
    case K::Start:
        if (rest)
            throw BadLine{QStringLiteral("start takes nothing")};
        return;
    case K::Restart:
        if (rest)
            throw BadLine{QStringLiteral("restart takes nothing")};
        return;
    case K::Resize: {
        const auto [target, afterTarget] = firstWord(required(rest, "a window"));
        readTarget(step, target, Names::Window);
        const auto [width, height] = firstWord(required(afterTarget, "a width"));
        step.geometry = QRect(0, 0, number(width, 1), number(required(height, "a height"), 1));
        return;
    }
    case K::ExpectGeometry: {
        const auto [target, afterTarget] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Either);
        // A window's size alone: its place on an offscreen screen is not one
        // a window manager would give it.
        const bool window = step.control.isEmpty();
        const char* expected = window ? "WIDTH HEIGHT" : "X Y WIDTH HEIGHT";
        const QStringList numbers = required(afterTarget, expected).split(u' ');
        if (numbers.size() != (window ? 2 : 4))
            throw BadLine{QStringLiteral("expected %1").arg(QLatin1String(expected))};
        step.geometry = window ? QRect(0, 0, number(numbers[0], 0), number(numbers[1], 0))
                               : QRect(signedNumber(numbers[0]), signedNumber(numbers[1]),
                                       number(numbers[2], 0), number(numbers[3], 0));
        return;
    }
    case K::Click:
    case K::ExpectFocus:
        readTarget(step, required(rest, "WINDOW.CONTROL"), Names::Control);
        return;
    case K::Close:
        readTarget(step, required(rest, "a window"), Names::Window);
        return;
    case K::Type:
    case K::Date:
    case K::ExpectText: {
        const auto [target, text] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, step.kind == K::ExpectText ? Names::Either : Names::Control);
        step.text = text.value_or(QString());
        if (step.kind == K::ExpectText)
            step.text = unescapedText(step.text);
        return;
    }
    case K::Row:
    case K::Item: {
        const auto [target, n] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Control);
        step.number = number(required(n, "a number"), step.kind == K::Row ? 1 : 0);
        return;
    }
    case K::Key: {
        const auto [target, key] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Either);
        step.text = required(key, "a key");
        return;
    }
    case K::ExpectMessage:
        step.text = rest.value_or(QString());
        return;
    case K::ExpectCell: {
        const auto [target, afterTarget] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Control);
        const auto [column, afterColumn] = firstWord(required(afterTarget, "a column"));
        step.column = number(column, 0);
        const auto [row, text] = firstWord(required(afterColumn, "a row"));
        step.number = number(row, 0);
        step.text = text.value_or(QString());
        return;
    }
    case K::ExpectVisible:
    case K::ExpectChecked: {
        const auto [target, answer] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, step.kind == K::ExpectVisible ? Names::Either : Names::Control);
        // expect-checked W.C N yes: the box of row N of a table.
        const auto [first, second] = firstWord(answer.value_or(QString()));
        if (step.kind == K::ExpectChecked && second) {
            step.number = number(first, 1);
            step.yes = yesOrNo(*second);
            return;
        }
        step.yes = yesOrNo(answer.value_or(QString()));
        return;
    }
    case K::ChooseFile:
        step.text = rest.value_or(QString());
        return;
    case K::Tick: {
        const auto [target, afterTarget] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Control);
        const auto [row, answer] = firstWord(required(afterTarget, "a row"));
        step.number = number(row, 1);
        step.yes = yesOrNo(answer.value_or(QString()));
        return;
    }
    case K::Pick: {
        const auto [target, text] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Control);
        step.text = required(text, "an item's text");
        return;
    }
    case K::ExpectHelp:
        step.number = number(required(rest, "a topic number"), 0);
        return;
    case K::ExpectPoints: {
        const auto [target, afterTarget] = firstWord(required(rest, "WINDOW.CONTROL"));
        readTarget(step, target, Names::Control);
        const auto [series, text] = firstWord(required(afterTarget, "a series"));
        step.text = series;
        step.points = chartPoints(text.value_or(QString()));
        return;
    }
    case K::Shot: {
        const auto [target, path] = firstWord(required(rest, "a window"));
        readTarget(step, target, Names::Window);
        step.text = required(path, "a file path");
        return;
    }
    }
}

} // namespace

ParsedScript parseScript(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (text.endsWith('\n'))
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);

    ParsedScript script;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString source = QString::fromUtf8(lines[i]);
        if (source.trimmed().isEmpty() || source.startsWith(u'#'))
            continue;
        Step step;
        step.line = int(i + 1);
        step.source = source;
        try {
            const auto [word, rest] = firstWord(source);
            const auto kind = kinds().find(word);
            if (kind == kinds().end())
                throw BadLine{QStringLiteral("\"%1\" is no step").arg(word)};
            step.kind = kind->second;
            readArguments(step, rest);
            if (step.kind == Step::Kind::File || step.kind == Step::Kind::ExpectFile ||
                step.kind == Step::Kind::Bytes) {
                qsizetype end = i + 1;
                while (end < lines.size() && lines[end] != "end")
                    ++end;
                if (end == lines.size())
                    throw BadLine{QStringLiteral("no line \"end\" closes the file's lines")};
                for (qsizetype j = i + 1; j < end; ++j) {
                    if (step.kind != Step::Kind::Bytes) {
                        step.bytes += lines[j] + "\r\n";
                        continue;
                    }
                    // A bad line of bytes is named itself.
                    step.line = int(j + 1);
                    step.source = QString::fromUtf8(lines[j]);
                    step.bytes += bytesOfLine(lines[j]);
                }
                step.line = int(i + 1);
                step.source = source;
                i = end;
            }
        } catch (const BadLine& bad) {
            script.error = ScriptError{step.line, step.source, bad.problem};
            return script;
        }
        script.steps.push_back(std::move(step));
    }
    return script;
}
