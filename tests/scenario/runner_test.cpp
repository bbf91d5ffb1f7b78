#include "support/qt_printing.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char* const hint =
    "expect-message Hint: To begin using Pursewise you must enter information about one or "
    "more cards using the \"Add a Card\" button below. \n";

struct Case
{
    const char* name;
    QString script;
    int exitCode;
    QString output; // what the runner prints on standard output
};

QString started(const char* rest)
{
    return QStringLiteral("clock 2026-12-08 12:00:00\nstart\n") + QString::fromLatin1(hint) +
           QString::fromUtf8(rest);
}

// One card, Visa Gold, with one entry in 2026 (a charge of 100.00 on
// 12/1/26), its register open, then the step `then` on line 40.
QString visaGoldOpen(const char* then)
{
    return QStringLiteral("clock 2026-12-08 12:00:00\n"
                          "file CardList.dat\n1\n1\n0 1 1. Visa Gold\n1 1 10/31/27\n2 1 0\n"
                          "3 1 18.9\n4 1 900.00\n5 1 100.00\n6 1 800.00\n7 1 6/30/27\nend\n"
                          "file 1info.dat\nVisa Gold\n10/31/27\n18.9\n0\n6/30/27\n15\n900.00\n"
                          "100.00\n800.00\n100.00\nend\n"
                          "file 126.dat\n1\n1 1 12/1/26\n2 1 Opening Bal\n3 1 100.00\n5 1 X\n"
                          "6 1 100.00\nend\n"
                          "file 1yl.dat\n26\nend\n"
                          "start\nrow Main.sg1 1\nclick Main.B1\n") +
           QString::fromUtf8(then);
}

// The print window open: its "2. Open File to Print." opens a file dialog.
QString printWindowOpen(const char* rest)
{
    return visaGoldOpen("click Form1.BB9\n") + QString::fromUtf8(rest);
}

// The register's balance chart open.
QString chartOpen(const char* rest)
{
    return visaGoldOpen("click Form1.LChart\n") + QString::fromUtf8(rest);
}

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

// Runs the runner on a script written into a fresh folder, from that folder.
class RunnerProcess : public testing::Test
{
protected:
    std::pair<int, QString> play(const QString& script, const QStringList& options = {})
    {
        QFile file(m_dir.filePath(QStringLiteral("test.scenario")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        QProcess runner;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        runner.setProcessEnvironment(environment);
        runner.setWorkingDirectory(m_dir.path());
        runner.start(QStringLiteral(PURSEWISE_SCENARIO),
                     options + QStringList{QStringLiteral("test.scenario")});
        EXPECT_TRUE(runner.waitForFinished(60000));
        return {runner.exitCode(), QString::fromUtf8(runner.readAllStandardOutput())};
    }

    QTemporaryDir m_dir;
};

class Runner : public RunnerProcess, public testing::WithParamInterface<Case>
{};

TEST_P(Runner, PlaysTheScriptAndReportsTheFirstStepThatFailed)
{
    const Case& c = GetParam();
    const auto [exitCode, output] = play(c.script);
    EXPECT_EQ(output, c.output);
    EXPECT_EQ(exitCode, c.exitCode);
}

const Case cases[] = {
    {"APassingScriptPrintsNothing", started("expect-text Main.E1 \n"), 0, ""},
    {"AFailingExpectationNamesItsLineAndWhatItSaw",
     started("# the caption has its full stop\nexpect-text Main Quillfen Pursewise\n"), 1,
     "line 5: expect-text Main Quillfen Pursewise\n  saw: \"Quillfen Pursewise.\"\n"},
    {"AMessageNoStepCheckedFailsAtTheStepThatShowedIt",
     "clock 2026-12-08 12:00:00\n\nstart\nexpect-text Main.E2 \n", 1,
     "line 3: start\n  saw: a message no step checked: \"Hint: To begin using Pursewise you must "
     "enter information about one or more cards using the \"Add a Card\" button below. \"\n"},
    {"AnUncheckedMessageStopsTheRunBeforeTheNextStepThatActs",
     "clock 2026-12-08 12:00:00\nstart\nexpect-visible Main yes\nclick Main.B9\n", 1,
     "line 2: start\n  saw: a message no step checked: \"Hint: To begin using Pursewise you must "
     "enter information about one or more cards using the \"Add a Card\" button below. \"\n"},
    {"AMessageShownInsideADialogNamesTheDialogsStep",
     started("click Main.B2\nclick AddOrEditCard.OKBtn\nexpect-visible AddOrEditCard yes\n"
             "click AddOrEditCard.CancelBtn\n"),
     1, "line 5: click AddOrEditCard.OKBtn\n  saw: a message no step checked: \"Name required\"\n"},
    {"AMessageCheckedInsideADialogLetsTheDialogGoOn",
     started("click Main.B2\nclick AddOrEditCard.OKBtn\nexpect-message Name required\n"
             "click AddOrEditCard.CancelBtn\nexpect-visible AddOrEditCard no\n") +
         QString::fromLatin1(hint),
     0, ""},
    {"AMessageOtherThanTheOneExpectedIsShownAsSeen",
     started("click Main.B1\nexpect-message A row must first be selected.\n"), 1,
     "line 5: expect-message A row must first be selected.\n"
     "  saw: \"A card must first be selected from the Card list.\"\n"},
    {"AnExpectedMessageThatNeverCameFails", started("expect-message Hello\n"), 1,
     "line 4: expect-message Hello\n  saw: no message\n"},
    {"StepsRunInsideAModalDialogUntilItsOwnButtonClosesIt",
     started("click Main.LAbout\nexpect-visible AboutBox yes\nclick AboutBox.OKButton\n"
             "expect-visible AboutBox no\n") +
         QString::fromLatin1(hint),
     0, ""},
    {"AWindowBehindAModalDialogCannotBeReached", started("click Main.LAbout\nclick Main.B1\n"), 1,
     "line 5: click Main.B1\n  saw: the window Main is blocked by the modal window AboutBox\n"},
    {"AControlOfAHiddenWindowCannotBeClicked", started("click Form1.BB3\n"), 1,
     "line 4: click Form1.BB3\n  saw: the window Form1 is hidden\n"},
    {"ExpectationsReadHiddenWindows",
     started("expect-visible Form1 no\nexpect-visible Form1.Panel1 no\n"
             "expect-text Form1.BB3 Add\nexpect-cell Form1.StringGrid1 0 1000 1000\n"
             "expect-cell Main.sg1 0 0 Card Name\n"),
     0, ""},
    {"ALineThatIsNoStepFailsBeforeAnythingRuns", "start\nfrobnicate Main.B1\n", 1,
     "line 2: frobnicate Main.B1\n  saw: \"frobnicate\" is no step\n"},
    {"AFileWithoutItsEndLineIsRefused", "file CardList.dat\n0\n", 1,
     "line 1: file CardList.dat\n  saw: no line \"end\" closes the file's lines\n"},
    {"TheClockIsSetBeforeStart", started("clock 2027-01-01 00:00:00\n"), 1,
     "line 4: clock 2027-01-01 00:00:00\n  saw: \"clock\" belongs before \"start\"\n"},
    {"AFileIsWrittenAndReadBackByteForByte",
     "file notes.dat\nfirst line\n  blanks kept  \n\nend\nexpect-file notes.dat\nfirst line\n"
     "  blanks kept  \n\nend\nfile empty.dat\nend\nexpect-file empty.dat\nend\n",
     0, ""},
    {"AFileThatDiffersIsShownLineByLine",
     "file summary.dat\n1.00\n2.00\nend\nexpect-file summary.dat\n1.00\nend\n", 1,
     "line 5: expect-file summary.dat\n  saw: 12 bytes:\n    \"1.00\"\n    \"2.00\"\n"},
    {"ClosingTheMainWindowEndsTheProgramButNotTheScript",
     started("close Main\nexpect-no-file CardList.dat\nclick Main.B2\n"), 1,
     "line 6: click Main.B2\n  saw: the program has ended: its main window was closed\n"},
    {"ADialogLeftOpenAtTheEndIsCancelled",
     started("click Main.LAbout\nexpect-visible AboutBox yes\n"), 0, ""},
    {"AReadOnlyBoxCannotBeTyped", started("type Main.E1 5\n"), 1,
     "line 4: type Main.E1 5\n  saw: Main.E1 is read-only\n"},
    {"AControlThatIsNotThereIsNamed", started("click Main.B9\n"), 1,
     "line 4: click Main.B9\n  saw: no control named B9 in the window Main\n"},
    {"ARowPastTheGridIsRefused", started("row Main.sg1 25\n"), 1,
     "line 4: row Main.sg1 25\n  saw: Main.sg1 has rows 1 to 24\n"},
    {"AKeyTheRunnerDoesNotKnowIsRefused", started("key Main.sg1 F13\n"), 1,
     "line 4: key Main.sg1 F13\n  saw: \"F13\" is no key this runner knows\n"},
    {"HelpRequestsAreRecorded", started("expect-help 1\n"), 1,
     "line 4: expect-help 1\n  saw: no help request\n"},
    {"ABytesFileIsShownWithItsOwnLineEnds",
     "bytes a.dat\nx\\ny\\r\\nz\nend\nexpect-file a.dat\nend\n", 1,
     "line 4: expect-file a.dat\n  saw: 6 bytes:\n    \"x\"  (LF without CR)\n    \"y\"\n"
     "    \"z\"  (no line end)\n"},
    {"ADeniedSaveFailsWithTheProgramsMessage",
     started("deny summary.dat\nclick Main.B2\ntype AddOrEditCard.E1 Visa\n"
             "type AddOrEditCard.E5 1000\nclick AddOrEditCard.OKBtn\nexpect-no-file CardList.dat\n"
             "click Main.B2\n"),
     1,
     "line 8: click AddOrEditCard.OKBtn\n  saw: a message no step checked: \"Could not save "
     "\"summary.dat\": No space left on device\"\n"},
    {"RestartNeedsAProgramThatStarted", "restart\n", 1,
     "line 1: restart\n  saw: the program has not started yet\n"},
    {"RestartShowsTheStartHintAgain", started("restart\nclick Main.B9\n"), 1,
     "line 4: restart\n  saw: a message no step checked: \"Hint: To begin using Pursewise you "
     "must enter information about one or more cards using the \"Add a Card\" button below. \"\n"},
    {"AClockAfterStartIsForTheRestart",
     started("clock 2027-01-01 00:00:00\nrestart\n") + QString::fromLatin1(hint), 0, ""},
    {"RestartAfterTheMainWindowClosedStartsAgain",
     started("close Main\nrestart\n") + QString::fromLatin1(hint) + "expect-visible Main yes\n", 0,
     ""},
    {"AHiddenWindowCannotBeResized", started("resize Form1 700 500\n"), 1,
     "line 4: resize Form1 700 500\n  saw: the window Form1 is hidden\n"},
    // The main window is made 656 by 480, 660 by 484 with its offscreen frame;
    // at its first showing the 4:3 lock makes that 660 by 495.
    {"AWindowSizeThatDiffersIsShown", started("expect-geometry Main 1 1\n"), 1,
     "line 4: expect-geometry Main 1 1\n  saw: 656 491\n"},
    {"AControlGeometryThatDiffersIsShownAsPlaceAndSize",
     started("expect-geometry AddOrEditCard.OKBtn 0 0 1 1\n"), 1,
     "line 4: expect-geometry AddOrEditCard.OKBtn 0 0 1 1\n  saw: 119 316 75 25\n"},
    {"AMultiLineTextThatDiffersIsShownWithItsLineBreaks",
     started("expect-text pursepri.Label2 Note:\n"), 1,
     "line 4: expect-text pursepri.Label2 Note:\n  saw: \"Note: The last two numbers of the "
     "file, is the year.\\n If you want to print off the info, for this card, for another "
     "year, \\njust open the file with the correct last two numbers.\"\n"},
};

const Case fileDialogCases[] = {
    {"AChosenFileIsWhatTheDialogAnswers",
     printWindowOpen("file note.txt\nfrom the file dialog\nend\nchoose-file note.txt\n"
                     "click pursepri.Button1\nexpect-text pursepri.quillfenp from the file dialog\n"),
     0, ""},
    {"AChooseFileWithoutAPathCancelsTheDialog",
     printWindowOpen("choose-file\nclick pursepri.Button1\nexpect-text pursepri.quillfenp \n"), 0,
     ""},
    {"AFileDialogNoStepAnsweredFailsAtTheStepThatOpenedIt",
     printWindowOpen("click pursepri.Button1\nclose pursepri\n"), 1,
     "line 41: click pursepri.Button1\n  saw: a file dialog no choose-file step answered: "
     "\"Open\"\n"},
    {"AnAnswerNoFileDialogTookFailsAtTheEnd", printWindowOpen("choose-file note.txt\n"), 1,
     "line 41: choose-file note.txt\n  saw: no file dialog opened to take this answer\n"},
    {"ATickBoxOfAnOrdinaryButtonIsRefused", printWindowOpen("tick Form1.StringGrid1 1 yes\n"), 1,
     "line 41: tick Form1.StringGrid1 1 yes\n  saw: row 1 has no tick box\n"},
    {"PickNeedsADropDownList", printWindowOpen("pick pursepri.Button1 Open\n"), 1,
     "line 41: pick pursepri.Button1 Open\n  saw: Button1 is no drop-down list\n"},
};

const Case chartCases[] = {
    {"ExpectPointsReadsASeriesAsDaysAndMoney",
     chartOpen("expect-points Chart.ChartView Balance 2026-01-01 0.00; 2026-12-01 100.00\n"
               "expect-points Chart.ChartView Limit 2026-01-01 900.00; 2026-12-31 900.00\n"
               "expect-text Chart.ChartView Visa Gold, 2026\n"),
     0, ""},
    {"PointsThatDifferAreShownAsTheSeriesHoldsThem",
     chartOpen("expect-points Chart.ChartView Balance 2026-01-01 0.00; 2026-12-02 100.00\n"), 1,
     "line 41: expect-points Chart.ChartView Balance 2026-01-01 0.00; 2026-12-02 100.00\n"
     "  saw: \"2026-01-01 0.00; 2026-12-01 100.00\"\n"},
    {"NoPointsExpectedOfASeriesThatHasSome", chartOpen("expect-points Chart.ChartView Limit\n"), 1,
     "line 41: expect-points Chart.ChartView Limit\n"
     "  saw: \"2026-01-01 900.00; 2026-12-31 900.00\"\n"},
    {"ASeriesThatIsNotThereIsNamedWithTheChartsSeries",
     chartOpen("expect-points Chart.ChartView Payments 2026-01-01 0.00\n"), 1,
     "line 41: expect-points Chart.ChartView Payments 2026-01-01 0.00\n"
     "  saw: no series named \"Payments\"; the chart's series are \"Balance\", \"Limit\"\n"},
    {"ExpectPointsNeedsAChart", chartOpen("expect-points Form1.StringGrid1 Balance\n"), 1,
     "line 41: expect-points Form1.StringGrid1 Balance\n  saw: StringGrid1 is no chart\n"},
    {"ClosingTheRegisterHidesTheChart",
     chartOpen("expect-visible Chart yes\nclose Form1\nexpect-visible Chart no\n"
               "click Chart.ChartView\n"),
     1, "line 44: click Chart.ChartView\n  saw: the window Chart is hidden\n"},
};

INSTANTIATE_TEST_SUITE_P(Charts, Runner, testing::ValuesIn(chartCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(FileDialogs, Runner, testing::ValuesIn(fileDialogCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(Scripts, Runner, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(RunnerProcess, SavesPicturesOfWindowsBesideTheScript)
{
    const auto [exitCode, output] = play(started("shot Main main.png\nshot Form1 register.png\n"));
    EXPECT_EQ(output, QString());
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("main.png"))));
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("register.png"))));
}

TEST_F(RunnerProcess, PlaysInAGivenDataFolderAndLeavesItsFilesForTheNextRun)
{
    QTemporaryDir data;
    QFile kept(data.filePath(QStringLiteral("summary.dat")));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("900.00\r\n250.00\r\n650.00\r\n");
    kept.close();
    // The folder's files are the program's from the start: the totals show,
    // and a file the script writes is still there after the run.
    const auto first = play(QStringLiteral("clock 2026-12-08 12:00:00\nstart\n") +
                                QString::fromLatin1(hint) +
                                "expect-text Main.E2 250.00\nfile notes.dat\nkept\nend\n",
                            {QStringLiteral("--data"), data.path()});
    EXPECT_EQ(first, std::make_pair(0, QString()));
    const auto second = play(QStringLiteral("expect-file notes.dat\nkept\nend\n"),
                             {QStringLiteral("--data"), data.path()});
    EXPECT_EQ(second, std::make_pair(0, QString()));
    EXPECT_TRUE(QFile::exists(data.filePath(QStringLiteral("notes.dat"))));
}

TEST_F(RunnerProcess, RefusesADataFolderThatIsNotThere)
{
    const auto [exitCode, output] =
        play(QStringLiteral("start\n"), {QStringLiteral("--data"), m_dir.filePath("none")});
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(output.startsWith(QStringLiteral("cannot use the data folder ")))
        << output.toStdString();
}

} // namespace
