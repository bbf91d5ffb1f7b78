#include "scenario/script.h"
#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace {

Step onlyStep(const QByteArray& text)
{
    const ParsedScript script = parseScript(text);
    EXPECT_FALSE(script.error) << script.error->problem.toStdString();
    EXPECT_EQ(script.steps.size(), 1u);
    return script.steps.empty() ? Step{} : script.steps.front();
}

struct BytesCase
{
    const char* name;
    QByteArray block; // the lines between "bytes NAME" and "end"
    QByteArray bytes;
};

void PrintTo(const BytesCase& c, std::ostream* os)
{
    *os << c.name;
}

class BytesBlock : public testing::TestWithParam<BytesCase>
{};

TEST_P(BytesBlock, GivesExactlyTheBytesItsLinesSpell)
{
    const Step step = onlyStep("bytes 126.dat\n" + GetParam().block + "end\n");
    EXPECT_EQ(step.kind, Step::Kind::Bytes);
    EXPECT_EQ(step.text, QStringLiteral("126.dat"));
    EXPECT_EQ(step.bytes, GetParam().bytes);
}

const BytesCase bytesCases[] = {
    {"NoLinesGiveAnEmptyFile", "", ""},
    {"TextGetsNoLineEndOfItsOwn", "1\n6 1 100.00\n", "16 1 100.00"},
    {"EscapesGiveLineBreaksOfEveryKind", "a\\r\\nb\\nc\\rd\n", "a\r\nb\nc\rd"},
    {"BackslashTabAndHexEscapes", "\\\\ \\t \\x00\\xFf\n", QByteArray("\\ \t \0\xff", 6)},
    {"HexPairsGiveTheirBytes", "hex 0d 0a  ff 00\n", QByteArray("\r\n\xff\0", 4)},
    {"TextAndHexLinesFollowOneAnother", "2 2 Caf\nhex e9\n\\n\n", "2 2 Caf\xe9\n"},
    {"AnEmptyLineGivesNothing", "a\n\nb\n", "ab"},
    {"TextIsItsUtf8Bytes", "Café\n", "Caf\xc3\xa9"},
    {"AHashLineIsText", "# not skipped\n", "# not skipped"},
    {"HexWithoutItsBlankIsText", "hex\n", "hex"},
    {"TheEndLineWrittenEscaped", "\\x65nd\n", "end"},
};

INSTANTIATE_TEST_SUITE_P(Lines, BytesBlock, testing::ValuesIn(bytesCases),
                         [](const testing::TestParamInfo<BytesCase>& info) {
                             return std::string(info.param.name);
                         });

struct BadCase
{
    const char* name;
    QByteArray script;
    int line;
    QString problem;
};

void PrintTo(const BadCase& c, std::ostream* os)
{
    *os << c.name;
}

class BadScript : public testing::TestWithParam<BadCase>
{};

TEST_P(BadScript, NamesTheLineAndWhatIsWrongWithIt)
{
    const ParsedScript script = parseScript(GetParam().script);
    ASSERT_TRUE(script.error);
    EXPECT_EQ(script.error->line, GetParam().line);
    EXPECT_EQ(script.error->problem, GetParam().problem);
}

const BadCase badCases[] = {
    {"ABadHexPairNamesItsOwnLine", "bytes a.dat\nok\nhex 0d 0g\nend\n", 3, "\"0g\" is no hex pair"},
    {"AHexRunIsPairs", "bytes a.dat\nhex 0d0a\nend\n", 2, "\"0d0a\" is no hex pair"},
    {"AnUnknownEscape", "bytes a.dat\nC:\\data\nend\n", 2,
     "\"\\d\" is no escape: write \\r, \\n, \\t, \\\\ or \\xHH"},
    {"AShortHexEscape", "bytes a.dat\n\\x4\nend\n", 2,
     "\"\\x\" is no escape: write \\r, \\n, \\t, \\\\ or \\xHH"},
    {"BytesWithoutEnd", "bytes a.dat\n00\n", 1, "no line \"end\" closes the file's lines"},
    {"BytesIntoAnotherFolder", "bytes ../a.dat\nend\n", 1, "\"../a.dat\" is no data file name"},
    {"DenyWithoutAName", "deny\n", 1, "expected a file name"},
    {"RestartTakesNothing", "restart now\n", 1, "restart takes nothing"},
    {"ResizeOfAControl", "resize Main.B1 10 10\n", 1, "expected a window, not \"Main.B1\""},
    {"ResizeToNothing", "resize Main 0 480\n", 1, "\"0\" is no whole number from 1 up"},
    {"ResizeWithoutAHeight", "resize Main 640\n", 1, "expected a height"},
    {"AWindowsGeometryIsItsSizeAlone", "expect-geometry Main 0 0 640 480\n", 1,
     "expected WIDTH HEIGHT"},
    {"AControlsGeometryIsPlaceAndSize", "expect-geometry Main.B1 75 25\n", 1,
     "expected X Y WIDTH HEIGHT"},
    {"TickNeedsARow", "tick ImportPreview.Entries\n", 1, "expected a row"},
    {"TickRowsCountFromOne", "tick ImportPreview.Entries 0 yes\n", 1,
     "\"0\" is no whole number from 1 up"},
    {"TickNeedsYesOrNo", "tick ImportPreview.Entries 2 maybe\n", 1,
     "expected yes or no, not \"maybe\""},
    {"PickNeedsAnItem", "pick CsvColumns.Delimiter\n", 1, "expected an item's text"},
    {"ACheckedRowCountsFromOne", "expect-checked Reconcile.Entries 0 yes\n", 1,
     "\"0\" is no whole number from 1 up"},
    {"PointsNeedASeries", "expect-points Chart.ChartView\n", 1, "expected a series"},
    {"PointsAreReadFromAControl", "expect-points Chart Balance\n", 1,
     "expected WINDOW.CONTROL, not \"Chart\""},
    {"APointIsADayThatIsThere", "expect-points Chart.ChartView Balance 2026-02-30 1.00\n", 1,
     "\"2026-02-30 1.00\" is no point: write YYYY-MM-DD AMOUNT, as 2026-03-05 742.35, and "
     "\"; \" between points"},
    {"APointsAmountHasItsCents", "expect-points Chart.ChartView Balance 2026-01-01 5\n", 1,
     "\"2026-01-01 5\" is no point: write YYYY-MM-DD AMOUNT, as 2026-03-05 742.35, and "
     "\"; \" between points"},
    {"PointsAreSeparatedBySemicolonAndBlank",
     "expect-points Chart.ChartView Balance 2026-01-01 1.00;2026-01-02 2.00\n", 1,
     "\"2026-01-01 1.00;2026-01-02 2.00\" is no point: write YYYY-MM-DD AMOUNT, as "
     "2026-03-05 742.35, and \"; \" between points"},
    {"APointsDateIsYearMonthDay", "expect-points Chart.ChartView Balance 3/5/26 1.00\n", 1,
     "\"3/5/26 1.00\" is no point: write YYYY-MM-DD AMOUNT, as 2026-03-05 742.35, and "
     "\"; \" between points"},
};

INSTANTIATE_TEST_SUITE_P(Lines, BadScript, testing::ValuesIn(badCases),
                         [](const testing::TestParamInfo<BadCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ExpectText, ReadsBackslashNAsALineBreakAndTwoBackslashesAsOne)
{
    EXPECT_EQ(onlyStep("expect-text pursepri.Label1 one\\ntwo \\\\n\n").text,
              QStringLiteral("one\ntwo \\n"));
}

TEST(ExpectText, KeepsAnyOtherBackslashAsWritten)
{
    EXPECT_EQ(onlyStep("expect-text Main.E1 C:\\data\\x41 \\\n").text,
              QStringLiteral("C:\\data\\x41 \\"));
}

TEST(OtherSteps, KeepTheirTextAsWritten)
{
    EXPECT_EQ(onlyStep("type Main.E1 a\\nb\n").text, QStringLiteral("a\\nb"));
    EXPECT_EQ(onlyStep("expect-message a\\nb\n").text, QStringLiteral("a\\nb"));
}

TEST(ExpectGeometry, ReadsAControlsPlaceAndSize)
{
    const Step step = onlyStep("expect-geometry Form1.StringGrid1 8 -3 704 222\n");
    EXPECT_EQ(step.kind, Step::Kind::ExpectGeometry);
    EXPECT_EQ(step.control, QStringLiteral("StringGrid1"));
    EXPECT_EQ(step.geometry, QRect(8, -3, 704, 222));
}

TEST(ExpectGeometry, ReadsAWindowsSize)
{
    const Step step = onlyStep("expect-geometry Form1 720 539\n");
    EXPECT_TRUE(step.control.isEmpty());
    EXPECT_EQ(step.geometry.size(), QSize(720, 539));
}

TEST(Resize, ReadsTheWindowAndTheSize)
{
    const Step step = onlyStep("resize Form1 720 500\n");
    EXPECT_EQ(step.kind, Step::Kind::Resize);
    EXPECT_EQ(step.window, QStringLiteral("Form1"));
    EXPECT_EQ(step.geometry.size(), QSize(720, 500));
}

TEST(ChooseFile, ReadsThePathWithItsBlanks)
{
    const Step step = onlyStep("choose-file statements/June 2026.qif\n");
    EXPECT_EQ(step.kind, Step::Kind::ChooseFile);
    EXPECT_EQ(step.text, QStringLiteral("statements/June 2026.qif"));
}

TEST(ChooseFile, WithoutAPathCancelsTheDialog)
{
    const Step step = onlyStep("choose-file\n");
    EXPECT_EQ(step.kind, Step::Kind::ChooseFile);
    EXPECT_TRUE(step.text.isEmpty());
}

TEST(Tick, ReadsTheTableTheRowAndTheState)
{
    const Step step = onlyStep("tick ImportPreview.Entries 3 no\n");
    EXPECT_EQ(step.kind, Step::Kind::Tick);
    EXPECT_EQ(step.window, QStringLiteral("ImportPreview"));
    EXPECT_EQ(step.control, QStringLiteral("Entries"));
    EXPECT_EQ(step.number, 3);
    EXPECT_FALSE(step.yes);
}

TEST(ExpectChecked, ReadsARowOfATableOrTheBoxItself)
{
    const Step row = onlyStep("expect-checked Reconcile.Entries 2 yes\n");
    EXPECT_EQ(row.number, 2);
    EXPECT_TRUE(row.yes);
    const Step box = onlyStep("expect-checked ImportPreview.C1 no\n");
    EXPECT_EQ(box.number, 0);
    EXPECT_FALSE(box.yes);
}

TEST(Pick, ReadsTheItemsTextWithItsBlanks)
{
    const Step step = onlyStep("pick CsvColumns.Decimal Comma (1234,56)\n");
    EXPECT_EQ(step.kind, Step::Kind::Pick);
    EXPECT_EQ(step.text, QStringLiteral("Comma (1234,56)"));
}

TEST(ExpectPoints, ReadsTheChartTheSeriesAndItsPointsInCents)
{
    const Step step = onlyStep("expect-points Chart.ChartView Balance 2026-01-01 100.00; "
                               "2026-03-05 742.35; 2026-03-05 0.05; 2026-04-01 -20.00\n");
    EXPECT_EQ(step.kind, Step::Kind::ExpectPoints);
    EXPECT_EQ(step.window, QStringLiteral("Chart"));
    EXPECT_EQ(step.control, QStringLiteral("ChartView"));
    EXPECT_EQ(step.text, QStringLiteral("Balance"));
    EXPECT_EQ(step.points, (std::vector<Step::Point>{{QDate(2026, 1, 1), 10000},
                                                     {QDate(2026, 3, 5), 74235},
                                                     {QDate(2026, 3, 5), 5},
                                                     {QDate(2026, 4, 1), -2000}}));
}

TEST(ExpectPoints, WithoutPointsExpectsAnEmptySeries)
{
    EXPECT_TRUE(onlyStep("expect-points Chart.ChartView Limit\n").points.empty());
    EXPECT_TRUE(onlyStep("expect-points Chart.ChartView Limit \n").points.empty());
}

TEST(Deny, ReadsTheFileName)
{
    const Step step = onlyStep("deny 126.dat\n");
    EXPECT_EQ(step.kind, Step::Kind::Deny);
    EXPECT_EQ(step.text, QStringLiteral("126.dat"));
}

} // namespace
