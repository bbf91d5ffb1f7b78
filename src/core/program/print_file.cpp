#include "core/program/print_file.h"

#include "core/platform/data_file.h"
#include "core/platform/user_error.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

namespace {

bool startsRtf(const QByteArray& bytes)
{
    QByteArray start = bytes.left(64).trimmed();
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.mid(3).trimmed();
    return start.startsWith("{\\rtf");
}

bool startsHtml(const QString& text)
{
    QString start = text.left(64).trimmed();
    if (start.startsWith(QChar(0xFEFF)))
        start = start.mid(1).trimmed();
    start = start.toLower();
    return start.startsWith(u"<!doctype html") || start.startsWith(u"<html");
}

// How a run of RTF text looks. RTF sizes are half points: \fs24 is 12 pt.
struct Look
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 24;
    int colour = 0; // index into the colour table; 0 is the automatic colour
    int font = -1;

    bool operator==(const Look&) const = default;
};

enum class Destination
{
    Text,
    FontTable,
    ColourTable,
    Skip
};

// What a group ("{...}") starts with and gives back at its end.
struct Group
{
    Look look;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: characters after \uN that stand in for it
};

// Groups whose text is never shown.
const QSet<QString>& hiddenDestinations()
{
    static const QSet<QString> names = {QStringLiteral("stylesheet"),
                                        QStringLiteral("info"),
                                        QStringLiteral("pict"),
                                        QStringLiteral("header"),
                                        QStringLiteral("headerl"),
                                        QStringLiteral("headerr"),
                                        QStringLiteral("headerf"),
                                        QStringLiteral("footer"),
                                        QStringLiteral("footerl"),
                                        QStringLiteral("footerr"),
                                        QStringLiteral("footerf"),
                                        QStringLiteral("footnote"),
                                        QStringLiteral("listtable"),
                                        QStringLiteral("object"),
                                        QStringLiteral("fldinst"),
                                        QStringLiteral("filetbl"),
                                        QStringLiteral("revtbl"),
                                        QStringLiteral("rsidtbl"),
                                        QStringLiteral("nonshppict"),
                                        QStringLiteral("pn"),
                                        QStringLiteral("xmlnstbl"),
                                        QStringLiteral("themedata"),
                                        QStringLiteral("latentstyles"),
                                        QStringLiteral("datastore"),
                                        QStringLiteral("listoverridetable"),
                                        QStringLiteral("colorschememapping")};
    return names;
}

// Characters named by a control word: \emdash is "—".
const QMap<QString, QChar>& namedCharacters()
{
    static const QMap<QString, QChar> characters = {
        {QStringLiteral("emdash"), QChar(0x2014)},    {QStringLiteral("endash"), QChar(0x2013)},
        {QStringLiteral("bullet"), QChar(0x2022)},    {QStringLiteral("lquote"), QChar(0x2018)},
        {QStringLiteral("rquote"), QChar(0x2019)},    {QStringLiteral("ldblquote"), QChar(0x201C)},
        {QStringLiteral("rdblquote"), QChar(0x201D)}, {QStringLiteral("tab"), QChar(u'\t')},
        {QStringLiteral("cell"), QChar(u'\t')},       {QStringLiteral("line"), QChar(u'\n')},
        {QStringLiteral("emspace"), QChar(0x2003)},   {QStringLiteral("enspace"), QChar(0x2002)}};
    return characters;
}

// Reads RTF one token at a time and collects paragraphs of looked-after runs.
class RtfReader
{
public:
    explicit RtfReader(const QString& rtf) : m_rtf(rtf) {}

    QString html()
    {
        read();
        if (!m_runs.isEmpty())
            endParagraph();
        return QStringLiteral("<html><body style=\"white-space:pre-wrap\">") + m_html +
               QStringLiteral("</body></html>");
    }

private:
    void read()
    {
        while (m_at < m_rtf.size()) {
            const QChar c = m_rtf[m_at++];
            if (c == u'{') {
                m_groups.append(m_group);
                m_groupStart = true;
            } else if (c == u'}') {
                if (!m_groups.isEmpty())
                    m_group = m_groups.takeLast();
                m_groupStart = false;
            } else if (c == u'\\') {
                controlWord();
            } else if (c != u'\r' && c != u'\n') {
                character(c);
                m_groupStart = false;
            }
        }
    }

    void controlWord()
    {
        if (m_at >= m_rtf.size())
            return;
        const QChar first = m_rtf[m_at];
        const bool atGroupStart = m_groupStart;
        m_groupStart = false;
        if (!isAsciiLetter(first)) {
            ++m_at;
            controlSymbol(first);
            return;
        }
        QString word;
        while (m_at < m_rtf.size() && isAsciiLetter(m_rtf[m_at]))
            word += m_rtf[m_at++];
        QString digits;
        if (m_at < m_rtf.size() && m_rtf[m_at] == u'-')
            digits += m_rtf[m_at++];
        while (m_at < m_rtf.size() && m_rtf[m_at].isDigit() && digits.size() < 11)
            digits += m_rtf[m_at++];
        if (m_at < m_rtf.size() && m_rtf[m_at] == u' ')
            ++m_at;
        bool hasValue = false;
        const int value = digits.toInt(&hasValue);
        apply(word, hasValue, value, atGroupStart);
    }

    void controlSymbol(QChar symbol)
    {
        switch (symbol.unicode()) {
        case u'\\':
        case u'{':
        case u'}':
            character(symbol);
            break;
        case u'~':
            character(QChar(0x00A0));
            break;
        case u'_':
            character(QChar(0x2011));
            break;
        case u'*':
            // An optional destination: nothing here reads one, so skip it.
            m_group.destination = Destination::Skip;
            break;
        case u'\'':
            hexByte();
            break;
        case u'\r':
        case u'\n':
            paragraph();
            break;
        default: // "\-" (optional hyphen), "\|", "\:" show nothing
            break;
        }
    }

    void hexByte()
    {
        bool ok = false;
        const int byte = m_rtf.mid(m_at, 2).toInt(&ok, 16);
        m_at += 2;
        if (!ok)
            return;
        // One byte of the document's 8-bit code page, read as Windows-1252.
        const QString text = DataFile::decode(QByteArray(1, char(byte)));
        if (!text.isEmpty())
            character(text[0]);
        else
            character(QChar(u' '));
    }

    void apply(const QString& word, bool hasValue, int value, bool atGroupStart)
    {
        Look& look = m_group.look;
        const bool on = !hasValue || value != 0;
        if (word == u"fonttbl")
            m_group.destination = Destination::FontTable;
        else if (word == u"colortbl")
            m_group.destination = Destination::ColourTable;
        else if (atGroupStart && hiddenDestinations().contains(word))
            m_group.destination = Destination::Skip;
        else if (word == u"bin")
            m_at += hasValue ? qMax(value, 0) : 0;
        else if (m_group.destination == Destination::FontTable && word == u"f")
            m_fontNumber = value;
        else if (m_group.destination == Destination::ColourTable)
            colourComponent(word, value);
        else if (word == u"par" || word == u"page" || word == u"sect" || word == u"row")
            paragraph();
        else if (namedCharacters().contains(word))
            character(namedCharacters().value(word));
        else if (word == u"u" && hasValue)
            unicodeCharacter(value);
        else if (word == u"uc" && hasValue)
            m_group.unicodeSkip = qMax(value, 0);
        else if (word == u"pard")
            m_alignment.clear();
        else if (word == u"qc")
            m_alignment = QStringLiteral("center");
        else if (word == u"qr")
            m_alignment = QStringLiteral("right");
        else if (word == u"qj")
            m_alignment = QStringLiteral("justify");
        else if (word == u"ql")
            m_alignment.clear();
        else if (word == u"plain")
            look = Look{.font = m_defaultFont};
        else if (word == u"deff" && hasValue)
            m_defaultFont = look.font = value;
        else if (word == u"f" && hasValue)
            look.font = value;
        else if (word == u"b")
            look.bold = on;
        else if (word == u"i")
            look.italic = on;
        else if (word == u"ul")
            look.underline = on;
        else if (word == u"ulnone")
            look.underline = false;
        else if (word == u"strike")
            look.strike = on;
        else if (word == u"fs" && hasValue && value > 0)
            look.halfPoints = value;
        else if (word == u"cf" && hasValue)
            look.colour = value;
    }

    void colourComponent(const QString& word, int value)
    {
        const int part = qBound(0, value, 255);
        if (word == u"red")
            m_colour.setRed(part);
        else if (word == u"green")
            m_colour.setGreen(part);
        else if (word == u"blue")
            m_colour.setBlue(part);
        m_colourGiven = true;
    }

    void unicodeCharacter(int value)
    {
        character(QChar(char16_t(value < 0 ? value + 65536 : value)));
        m_pendingSkip = m_group.unicodeSkip;
    }

    void character(QChar c)
    {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        switch (m_group.destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (c == u';') {
                m_fonts[m_fontNumber] = m_fontName.trimmed();
                m_fontName.clear();
            } else {
                m_fontName += c;
            }
            return;
        case Destination::ColourTable:
            if (c == u';') {
                m_colours.append(m_colourGiven ? m_colour.name() : QString());
                m_colour = ColourParts{};
                m_colourGiven = false;
            }
            return;
        case Destination::Text:
            break;
        }
        if (m_runs.isEmpty() || !(m_runs.last().first == m_group.look))
            m_runs.append({m_group.look, QString()});
        m_runs.last().second += c;
    }

    void paragraph()
    {
        m_pendingSkip = 0;
        if (m_group.destination == Destination::Text)
            endParagraph();
    }

    void endParagraph()
    {
        m_html += QStringLiteral("<p style=\"margin:0\"");
        if (!m_alignment.isEmpty())
            m_html += QStringLiteral(" align=\"%1\"").arg(m_alignment);
        m_html += u'>';
        for (const auto& [look, text] : m_runs)
            m_html += QStringLiteral("<span style=\"%1\">%2</span>")
                          .arg(style(look), text.toHtmlEscaped().replace(QStringLiteral("\n"),
                                                                         QStringLiteral("<br />")));
        if (m_runs.isEmpty())
            m_html += QStringLiteral("<br />");
        m_html += QStringLiteral("</p>");
        m_runs.clear();
    }

    QString style(const Look& look) const
    {
        QStringList parts;
        if (m_fonts.contains(look.font) && !m_fonts.value(look.font).isEmpty())
            parts << QStringLiteral("font-family:'%1'").arg(m_fonts.value(look.font));
        parts << QStringLiteral("font-size:%1pt").arg(look.halfPoints / 2.0);
        if (look.bold)
            parts << QStringLiteral("font-weight:700");
        if (look.italic)
            parts << QStringLiteral("font-style:italic");
        if (look.underline || look.strike)
            parts << QStringLiteral("text-decoration:%1%2")
                         .arg(look.underline ? QStringLiteral("underline ") : QString(),
                              look.strike ? QStringLiteral("line-through") : QString())
                         .trimmed();
        if (look.colour > 0 && look.colour < m_colours.size() && !m_colours[look.colour].isEmpty())
            parts << QStringLiteral("color:%1").arg(m_colours[look.colour]);
        return parts.join(u';');
    }

    static bool isAsciiLetter(QChar c)
    {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    }

    // A colour of the table as it is read, "#rrggbb" once complete.
    struct ColourParts
    {
        int red = 0;
        int green = 0;
        int blue = 0;
        void setRed(int v) { red = v; }
        void setGreen(int v) { green = v; }
        void setBlue(int v) { blue = v; }
        QString name() const
        {
            return QStringLiteral("#%1%2%3")
                .arg(red, 2, 16, QChar(u'0'))
                .arg(green, 2, 16, QChar(u'0'))
                .arg(blue, 2, 16, QChar(u'0'));
        }
    };

    const QString m_rtf;
    qsizetype m_at = 0;
    Group m_group;
    QList<Group> m_groups;
    bool m_groupStart = false;
    int m_pendingSkip = 0;
    int m_defaultFont = -1;

    int m_fontNumber = 0;
    QString m_fontName;
    QMap<int, QString> m_fonts;
    ColourParts m_colour;
    bool m_colourGiven = false;
    QStringList m_colours;

    QString m_alignment;
    QList<std::pair<Look, QString>> m_runs;
    QString m_html;
};

} // namespace

QString fileHint(const QString& cardKey, const QString& year)
{
    return cardKey + year + QStringLiteral(".dat");
}

QString rtfToHtml(const QByteArray& rtf)
{
    return RtfReader(DataFile::decode(rtf)).html();
}

ViewText viewTextOf(const QByteArray& bytes)
{
    if (startsRtf(bytes))
        return {true, rtfToHtml(bytes)};
    const QString text = DataFile::decode(bytes);
    if (startsHtml(text))
        return {true, text};
    return {false, DataFile::splitLines(text).join(u'\n')};
}

ViewText readViewText(const QString& fileName)
{
    QFile file(fileName);
    const auto cannotOpen = [&] {
        return UserError(QStringLiteral("Cannot open file %1")
                             .arg(QDir::toNativeSeparators(fileName))
                             .toStdString());
    };
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw cannotOpen();
    return viewTextOf(bytes);
}
