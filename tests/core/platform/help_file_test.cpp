#include "core/platform/help_file.h"
#include "core/platform/user_error.h"
#include "support/qt_printing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The guide as it lies in the source tree; the build copies it as Pursewise.hlp.
const QString guideSource = QStringLiteral(PURSEWISE_HELP_SOURCE);

void writeFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// An installed tree and a separate fixed place, all in a temporary folder:
//   fixed/Pursewise.hlp                  the path fixed at build time
//   prefix/bin/                          the program's folder
//   prefix/bin/Pursewise.hlp             the copy beside the program
//   prefix/share/pursewise/Pursewise.hlp the copy in the share folder
class HelpFileLocation : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString fixed() const { return m_dir.filePath(QStringLiteral("fixed/Pursewise.hlp")); }
    QString programDir() const { return m_dir.filePath(QStringLiteral("prefix/bin")); }
    QString beside() const { return m_dir.filePath(QStringLiteral("prefix/bin/Pursewise.hlp")); }
    QString share() const
    {
        return m_dir.filePath(QStringLiteral("prefix/share/pursewise/Pursewise.hlp"));
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(HelpFileLocation, TheCandidatesAreTheFixedPathThenBesideTheProgramThenItsShareFolder)
{
    EXPECT_EQ(HelpFile::candidates(fixed(), programDir()),
              (QStringList{fixed(), beside(), share()}));
}

struct LocationCase
{
    const char* name;
    bool fixedExists;
    bool besideExists;
    bool shareExists;
    enum
    {
        Fixed,
        Beside,
        Share
    } expected;
};

class HelpFileChoice : public HelpFileLocation, public testing::WithParamInterface<LocationCase>
{};

TEST_P(HelpFileChoice, TheFirstDocumentThatExistsIsTaken)
{
    const LocationCase& c = GetParam();
    if (c.fixedExists)
        writeFile(fixed(), "fixed");
    if (c.besideExists)
        writeFile(beside(), "beside");
    if (c.shareExists)
        writeFile(share(), "share");
    QDir().mkpath(programDir());

    const QString expected = c.expected == LocationCase::Fixed    ? fixed()
                             : c.expected == LocationCase::Beside ? beside()
                                                                  : share();
    EXPECT_EQ(HelpFile::locate(fixed(), programDir()), expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    HelpFileLocation, HelpFileChoice,
    testing::Values(
        // Installed: the fixed path wins over any copy.
        LocationCase{"FixedPathWinsOverTheCopies", true, true, true, LocationCase::Fixed},
        LocationCase{"FixedPathAlone", true, false, false, LocationCase::Fixed},
        // Run from the build folder: the copy beside the program.
        LocationCase{"CopyBesideTheProgram", false, true, false, LocationCase::Beside},
        LocationCase{"BesideTheProgramBeforeTheShareFolder", false, true, true,
                     LocationCase::Beside},
        // An installed tree moved elsewhere: its own share folder.
        LocationCase{"ShareFolderBesideTheProgramsFolder", false, false, true, LocationCase::Share},
        // Nowhere: the fixed path, which the message then names.
        LocationCase{"NoneSoTheFixedPathForTheMessage", false, false, false, LocationCase::Fixed}),
    [](const testing::TestParamInfo<LocationCase>& info) { return std::string(info.param.name); });

TEST_F(HelpFileLocation, AFolderNamedLikeTheDocumentIsNotTaken)
{
    ASSERT_TRUE(QDir().mkpath(fixed()));
    writeFile(beside(), "beside");
    EXPECT_EQ(HelpFile::locate(fixed(), programDir()), beside());
}

TEST_F(HelpFileLocation, WithNoDocumentAnywhereReadingNamesTheFixedPathInTheMessage)
{
    const QString path = HelpFile::locate(fixed(), programDir());
    try {
        HelpFile::read(path);
        FAIL() << "a missing help file was read";
    } catch (const UserError& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("The help file \"%1\" could not be found.").arg(fixed()));
    }
}

TEST_F(HelpFileLocation, ReadingGivesTheWholeDocument)
{
    const QByteArray text = "<html><body><h1><a name=\"topic1\">Start</a></h1></body></html>\n";
    writeFile(fixed(), text);
    EXPECT_EQ(HelpFile::read(fixed()), QString::fromUtf8(text));
}

TEST(HelpFilePath, TheFixedPathIsAbsoluteAndNamesPursewiseHlp)
{
    const QFileInfo fixed(HelpFile::fixedPath());
    EXPECT_TRUE(fixed.isAbsolute()) << HelpFile::fixedPath().toStdString();
    EXPECT_EQ(fixed.fileName(), QStringLiteral("Pursewise.hlp"));
    EXPECT_EQ(HelpFile::fileName, QStringLiteral("Pursewise.hlp"));
}

TEST(HelpFileAnchors, ATopicsAnchorIsTopicAndItsNumber)
{
    EXPECT_EQ(HelpFile::anchorOf(1), QStringLiteral("topic1"));
    EXPECT_EQ(HelpFile::anchorOf(5), QStringLiteral("topic5"));
    EXPECT_EQ(HelpFile::anchorOf(6), QStringLiteral("topic6"));
}

struct AnchorCase
{
    const char* name;
    const char* html;
    bool found;
};

class HelpFileAnchorMarkup : public testing::TestWithParam<AnchorCase>
{};

TEST_P(HelpFileAnchorMarkup, OnlyANamedAnchorCountsAsTheTopicsPlace)
{
    EXPECT_EQ(HelpFile::hasAnchor(QString::fromUtf8(GetParam().html), QStringLiteral("topic5")),
              GetParam().found)
        << GetParam().html;
}

INSTANTIATE_TEST_SUITE_P(
    HelpFileAnchors, HelpFileAnchorMarkup,
    testing::Values(AnchorCase{"QuotedName", R"(<h2><a name="topic5">Cards</a></h2>)", true},
                    AnchorCase{"SingleQuotedName", R"(<a name='topic5'>Cards</a>)", true},
                    AnchorCase{"UnquotedNameAfterAClass", R"(<a class="x" name=topic5>Cards</a>)",
                               true},
                    AnchorCase{"CapitalLetters", R"(<A NAME="topic5">Cards</A>)", true},
                    AnchorCase{"ALongerName", R"(<a name="topic50">Other</a>)", false},
                    AnchorCase{"AnotherTopic", R"(<a name="topic6">Other</a>)", false},
                    AnchorCase{"ALinkToTheTopic", R"(<a href="#topic5">a link</a>)", false},
                    AnchorCase{"PlainText", R"(<p>topic5</p>)", false}),
    [](const testing::TestParamInfo<AnchorCase>& info) { return std::string(info.param.name); });

TEST(HelpFileAnchors, ATopicWithoutAnAnchorOpensAtTheStartOfTheGuide)
{
    const QString guide =
        QStringLiteral(R"(<a name="topic1">Start</a> <a name="topic5">Cards</a>)");
    EXPECT_EQ(HelpFile::topicAnchor(guide, 5), QStringLiteral("topic5"));
    EXPECT_EQ(HelpFile::topicAnchor(guide, 6), QStringLiteral("topic1"));
    EXPECT_TRUE(HelpFile::topicAnchor(QStringLiteral("<p>No anchors</p>"), 6).isEmpty());
}

// The guide's text as the reader sees it: no tags, entities decoded, every
// run of white space one blank.
QString readableText(const QString& html)
{
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<style[^>]*>.*</style>"),
                                   QRegularExpression::DotMatchesEverythingOption));
    text.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.simplified();
}

class TheGuide : public testing::Test
{
protected:
    void SetUp() override
    {
        m_html = HelpFile::read(guideSource);
        m_text = readableText(m_html);
    }

    bool mentions(const QString& words) const
    {
        const QRegularExpression word(
            QStringLiteral("(^|\\W)%1($|\\W)").arg(QRegularExpression::escape(words.simplified())));
        return word.match(m_text).hasMatch();
    }

    QString m_html;
    QString m_text;
};

TEST_F(TheGuide, HoldsTheAnchorsOfTheTopicsTheWindowsAskFor)
{
    for (const int topic : {1, 5, 6}) {
        EXPECT_TRUE(HelpFile::hasAnchor(m_html, HelpFile::anchorOf(topic))) << topic;
        EXPECT_EQ(HelpFile::topicAnchor(m_html, topic), HelpFile::anchorOf(topic));
    }
}

TEST_F(TheGuide, NamesEveryButtonOfTheRegister)
{
    for (const char* caption :
         {"Add", "Insert", "Delete", "Edit", "Toggle X", "Year", "Print Page", "Close"})
        EXPECT_TRUE(mentions(QString::fromUtf8(caption))) << caption;
}

TEST_F(TheGuide, NamesEveryButtonAndMenuWordOfTheMainWindow)
{
    for (const char* caption : {"Open Selected Card", "Add a Card", "Delete Selected Card",
                                "Edit Selected Card", "Help", "About", "Special Verses"})
        EXPECT_TRUE(mentions(QString::fromUtf8(caption))) << caption;
}

TEST_F(TheGuide, NamesEveryColumnOfTheCardListAndTheLedger)
{
    for (const char* column :
         {"Card Name", "Expires", "Intro %", "Rate %", "Credit Limit", "Balance Owed", "Available",
          "Expired", "Date", "Description", "Charges", "Payments", "Bal. Owed", "Opening Bal"})
        EXPECT_TRUE(mentions(QString::fromUtf8(column))) << column;
}

TEST_F(TheGuide, QuotesEveryMessageOfTheWindowsAndDialogsWordForWord)
{
    for (const char* message : {
             // main window
             "Hint: To begin using Pursewise you must enter information about one or more cards "
             "using the \"Add a Card\" button below.",
             "A card must first be selected from the Card list.",
             "This card can not be deleted because it carries a balance. A payment must first be "
             "entered to pay off the balance.",
             "Grid index out of range",
             // card dialog
             "Name required",
             "You already have a card by this name. Select another name.",
             "Credit Limit required.",
             "Faulty entry for Credit Limit",
             "Invalid entry for Balance Due",
             "Invalid entry for Credit Limit",
             // entry dialog
             "Invalid entry for charge.",
             "Invalid entry for payment.",
             // register window and year chooser
             "A row must first be selected.",
             "OOPS! Neither a charge nor a payment.",
             "No records available for other years.",
             "A year must be selected from the listbox.",
         })
        EXPECT_TRUE(m_text.contains(QString::fromUtf8(message))) << message;
}

TEST_F(TheGuide, NamesTheDataFilesAndTheLimits)
{
    for (const char* words : {"CardList.dat", "summary.dat", "3info.dat", "3bb.dat", "3yl.dat",
                              "326.dat", "24 cards", "1000 entries", "~/Pursewise"})
        EXPECT_TRUE(m_text.contains(QString::fromUtf8(words))) << words;
}

TEST_F(TheGuide, LeadsEveryLinkToAnAnchorInTheGuide)
{
    const QRegularExpression link(QStringLiteral(R"re(<a\s[^>]*href="([^"]*)")re"));
    int links = 0;
    for (auto it = link.globalMatch(m_html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        ASSERT_TRUE(target.startsWith(u'#')) << target.toStdString();
        EXPECT_TRUE(HelpFile::hasAnchor(m_html, target.mid(1))) << target.toStdString();
    }
    EXPECT_GT(links, 20);
}

TEST_F(TheGuide, IsPlainAsciiSoThatAnyReaderShowsItAlike)
{
    for (const QChar c : m_html)
        ASSERT_LT(int(c.unicode()), 128) << "character " << int(c.unicode());
}

} // namespace
