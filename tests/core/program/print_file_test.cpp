#include "core/program/print_file.h"
#include "core/platform/user_error.h"
#include "support/temp_dir.h"

namespace {

struct HintCase
{
    const char* label;
    const char* key;
    const char* year;
    const char* hint;
};

class FileHint : public testing::TestWithParam<HintCase>
{};

TEST_P(FileHint, NamesTheYearLedgerFileOfTheKeyAndYear)
{
    const HintCase& c = GetParam();
    EXPECT_EQ(fileHint(QString::fromLatin1(c.key), QString::fromLatin1(c.year)),
              QString::fromLatin1(c.hint))
        << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileHint,
    testing::Values(HintCase{"no card selected at start-up", "", "26", "26.dat"},
                    HintCase{"card 3 in 2026", "3", "26", "326.dat"},
                    HintCase{"year 06 keeps its zero", "12", "06", "1206.dat"}));

TEST(ViewTextOf, ShowsALedgerFileAsPlainTextOneFileLinePerViewLine)
{
    const ViewText text = viewTextOf("2\r\n1 1 12/1/26\r\n2 1 Groceries\r\n3 1 12.50\r\n");
    EXPECT_FALSE(text.rich);
    EXPECT_EQ(text.text, QStringLiteral("2\n1 1 12/1/26\n2 1 Groceries\n3 1 12.50"));
}

TEST(ViewTextOf, EndsLinesAtCrLfALoneCrOrALoneLf)
{
    EXPECT_EQ(viewTextOf("a\rb\nc\r\nd").text, QStringLiteral("a\nb\nc\nd"));
}

TEST(ViewTextOf, ReadsBytesThatAreNotUtf8AsWindows1252)
{
    EXPECT_EQ(viewTextOf("Caf\xE9 \x80").text, QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"));
}

TEST(ViewTextOf, ReadsUtf8AsItIs)
{
    EXPECT_EQ(viewTextOf("Caf\xC3\xA9").text, QString::fromUtf8("Caf\xC3\xA9"));
}

TEST(ViewTextOf, StopsAtANulByteAsTheDataFilesDo)
{
    EXPECT_EQ(viewTextOf(QByteArray("1\r\n2 1 Shop\0rest", 16)).text,
              QStringLiteral("1\n2 1 Shop"));
}

TEST(ViewTextOf, TurnsRtfIntoHtml)
{
    const ViewText text = viewTextOf("{\\rtf1\\ansi {\\b Total}\\par}");
    EXPECT_TRUE(text.rich);
    EXPECT_TRUE(text.text.contains(u"font-weight:700\">Total</span>")) << text.text.toStdString();
}

TEST(ViewTextOf, KeepsAnHtmlPageAsIt)
{
    const QByteArray page = "  <!DOCTYPE html><html><body><b>Total</b></body></html>";
    const ViewText text = viewTextOf(page);
    EXPECT_TRUE(text.rich);
    EXPECT_EQ(text.text, QString::fromLatin1(page));
}

TEST(ViewTextOf, ShowsTextThatMerelyMentionsATagAsPlainText)
{
    const ViewText text = viewTextOf("2 1 Paid <html> course\r\n");
    EXPECT_FALSE(text.rich);
    EXPECT_EQ(text.text, QStringLiteral("2 1 Paid <html> course"));
}

using ReadViewText = InTempDir;

TEST_F(ReadViewText, ReadsTheWholeFile)
{
    putBytes(QStringLiteral("326.dat"), "1\r\n2 1 Books\r\n");
    EXPECT_EQ(readViewText(QStringLiteral("326.dat")).text, QStringLiteral("1\n2 1 Books"));
}

TEST_F(ReadViewText, ReportsAFileThatCannotBeOpenedByName)
{
    try {
        readViewText(QStringLiteral("926.dat"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file 926.dat");
    }
}

TEST_F(ReadViewText, ReportsAFolderAsAFileThatCannotBeOpened)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("cards")));
    EXPECT_THROW(readViewText(QStringLiteral("cards")), UserError);
}

struct RtfCase
{
    const char* label;
    const char* rtf;
    const char* body; // the HTML between <body ...> and </body>
};

class RtfToHtml : public testing::TestWithParam<RtfCase>
{};

TEST_P(RtfToHtml, ConvertsTextAndLooks)
{
    const RtfCase& c = GetParam();
    const QString html = rtfToHtml(c.rtf);
    const QString start = QStringLiteral("<html><body style=\"white-space:pre-wrap\">");
    const QString end = QStringLiteral("</body></html>");
    ASSERT_TRUE(html.startsWith(start) && html.endsWith(end)) << html.toStdString();
    EXPECT_EQ(html.mid(start.size(), html.size() - start.size() - end.size()),
              QString::fromUtf8(c.body))
        << c.label;
}

#define P "<p style=\"margin:0\">"
#define S12 "<span style=\"font-size:12pt\">"

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfToHtml,
    testing::Values(
        RtfCase{"one paragraph", "{\\rtf1 Hello\\par}", P S12 "Hello</span></p>"},
        RtfCase{"text after the last \\par is a paragraph too", "{\\rtf1 A\\par B}",
                P S12 "A</span></p>" P S12 "B</span></p>"},
        RtfCase{"an empty paragraph keeps its line", "{\\rtf1 A\\par\\par B}",
                P S12 "A</span></p>" P "<br /></p>" P S12 "B</span></p>"},
        RtfCase{"bold, then not", "{\\rtf1 \\b Big\\b0  small}",
                P "<span style=\"font-size:12pt;font-weight:700\">Big</span>" S12
                  " small</span></p>"},
        RtfCase{"a group gives its look back", "{\\rtf1 {\\i it} up}",
                P "<span style=\"font-size:12pt;font-style:italic\">it</span>" S12
                  " up</span></p>"},
        RtfCase{
            "underline and strike", "{\\rtf1 \\ul\\strike x}",
            P "<span style=\"font-size:12pt;text-decoration:underline line-through\">x</span></p>"},
        RtfCase{"sizes are half points", "{\\rtf1 \\fs21 x}",
                P "<span style=\"font-size:10.5pt\">x</span></p>"},
        RtfCase{"fonts and colours come from their tables",
                "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
                "{\\colortbl;\\red255\\green0\\blue0;}\\f1\\cf1 Red}",
                P "<span style=\"font-family:'Times New Roman';font-size:12pt;color:#ff0000\">"
                  "Red</span></p>"},
        RtfCase{"escaped braces and backslash", "{\\rtf1 a\\{b\\}c\\\\}",
                P S12 "a{b}c\\</span></p>"},
        RtfCase{"hex bytes are Windows-1252", "{\\rtf1 caf\\'e9 \\'80}",
                P S12 "caf\xC3\xA9 \xE2\x82\xAC</span></p>"},
        RtfCase{"\\u with its stand-in skipped", "{\\rtf1 \\u8364?5}",
                P S12 "\xE2\x82\xAC"
                      "5</span></p>"},
        RtfCase{"\\uc0 has no stand-in", "{\\rtf1 \\uc0\\u233 x}", P S12 "\xC3\xA9x</span></p>"},
        RtfCase{"named characters", "{\\rtf1 a\\tab b\\line c\\emdash}",
                P S12 "a\tb<br />c\xE2\x80\x94</span></p>"},
        RtfCase{"html characters are escaped", "{\\rtf1 1 < 2 & 3}",
                P S12 "1 &lt; 2 &amp; 3</span></p>"},
        RtfCase{"hidden parts are left out",
                "{\\rtf1{\\info{\\title T}}{\\*\\generator W;}{\\stylesheet{\\s0 Normal;}}"
                "{\\pict\\pngblip 89504e}Shown}",
                P S12 "Shown</span></p>"},
        RtfCase{"line breaks in the source are not text", "{\\rtf1 a\r\nb}", P S12 "ab</span></p>"},
        RtfCase{"alignment until \\pard", "{\\rtf1 \\qc T\\par\\pard x}",
                "<p style=\"margin:0\" align=\"center\">" S12 "T</span></p>" P S12 "x</span></p>"},
        RtfCase{"\\plain resets the look", "{\\rtf1 \\b\\i x\\plain y}",
                P "<span style=\"font-size:12pt;font-weight:700;font-style:italic\">x</span>" S12
                  "y</span></p>"},
        RtfCase{"an unbalanced closing brace is survived", "{\\rtf1 a}}b", P S12 "ab</span></p>"}));

#undef P
#undef S12

} // namespace
