#include "core/platform/data_file.h"
#include "core/platform/user_error.h"
#include "support/program_fixture.h"

#include <ostream>
#include <string>

namespace {

// The ten fields of the card information file, in file order.
QStringList infoFields(const RegisterFields& f)
{
    return {f.L7, f.Edit1, f.E1, f.E2, f.E3, f.E4, f.E5, f.E6, f.E7, f.E8};
}

// Card 3 with an empty register header.
class CardInfoTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().reg.cardKey = QStringLiteral("3");
    }

    void fillHeader()
    {
        RegisterFields& f = p().reg;
        f.L7 = QStringLiteral("3. Visa  Gold ");
        f.Edit1 = QStringLiteral("10/31/27");
        f.E1 = QStringLiteral("18.9");
        f.E2 = QStringLiteral("0");
        f.E3 = QStringLiteral("6/30/27");
        f.E4 = QStringLiteral("15");
        f.E5 = QStringLiteral("1000.00");
        f.E6 = QStringLiteral("-25.00");
        f.E7 = QStringLiteral("1000.00");
        f.E8 = QStringLiteral(".05");
        f.EYr = QStringLiteral("26");
    }
};

// --- Setting the particulars ---

struct DetailSetter
{
    const char* label;
    void (TCardInfo::*set)(const QString&);
    QString RegisterFields::*field;
};

void PrintTo(const DetailSetter& c, std::ostream* os)
{
    *os << c.label;
}

class CardInfoSetters : public CardInfoTest, public testing::WithParamInterface<DetailSetter>
{};

TEST_P(CardInfoSetters, WriteTheirFieldOnly)
{
    fillHeader();
    RegisterFields expected = p().reg;
    const QString text = QStringLiteral(" typed  text ");
    (p().cardInfo.*GetParam().set)(text);
    expected.*GetParam().field = text;
    EXPECT_EQ(infoFields(p().reg), infoFields(expected));
}

INSTANTIATE_TEST_SUITE_P(
    EachDetail, CardInfoSetters,
    testing::Values(DetailSetter{"CardName", &TCardInfo::SetCardName, &RegisterFields::L7},
                    DetailSetter{"ExpiryDate", &TCardInfo::SetExpiryDate, &RegisterFields::Edit1},
                    DetailSetter{"Rate", &TCardInfo::SetRate, &RegisterFields::E1},
                    DetailSetter{"IntroRate", &TCardInfo::SetIntroRate, &RegisterFields::E2},
                    DetailSetter{"IntroExpiry", &TCardInfo::SetIntroExpiry, &RegisterFields::E3},
                    DetailSetter{"DueDay", &TCardInfo::SetDueDay, &RegisterFields::E4}),
    [](const testing::TestParamInfo<DetailSetter>& info) { return std::string(info.param.label); });

// --- Moving the totals ---

struct TotalCase
{
    const char* label;
    void (TCardInfo::*move)(const QString&);
    QString RegisterFields::*total;
    const char* before;
    const char* amount;
    const char* after;
};

void PrintTo(const TotalCase& c, std::ostream* os)
{
    *os << c.label;
}

class CardInfoTotals : public CardInfoTest, public testing::WithParamInterface<TotalCase>
{};

TEST_P(CardInfoTotals, MoveByTheAmount)
{
    const TotalCase& c = GetParam();
    fillHeader();
    p().reg.*c.total = QString::fromUtf8(c.before);
    RegisterFields expected = p().reg;
    expected.*c.total = QString::fromUtf8(c.after);
    (p().cardInfo.*c.move)(QString::fromUtf8(c.amount));
    EXPECT_EQ(infoFields(p().reg), infoFields(expected)) << c.label;
}

constexpr auto limit = &RegisterFields::E5;
constexpr auto owed = &RegisterFields::E6;
constexpr auto reconciled = &RegisterFields::E8;

INSTANTIATE_TEST_SUITE_P(
    Cases, CardInfoTotals,
    testing::Values(
        TotalCase{"limit raised", &TCardInfo::AddToLimit, limit, "500.00", "250.50", "750.50"},
        TotalCase{"empty limit raised", &TCardInfo::AddToLimit, limit, "", "500.00", "500.00"},
        TotalCase{"limit lowered", &TCardInfo::SubtractFromLimit, limit, "500.00", "100.00",
                  "400.00"},
        TotalCase{"limit lowered below zero stops at zero", &TCardInfo::SubtractFromLimit, limit,
                  "500.00", "600.00", "0.00"},
        TotalCase{"limit lowered to 0.40 rounds to zero", &TCardInfo::SubtractFromLimit, limit,
                  "500.00", "499.60", "0.00"},
        TotalCase{"limit lowered to 1.00 keeps it", &TCardInfo::SubtractFromLimit, limit, "500.00",
                  "499.00", "1.00"},
        TotalCase{"limit lowered to exactly half a unit rounds to even zero",
                  &TCardInfo::SubtractFromLimit, limit, "500.00", "499.50", "0.00"},
        TotalCase{"limit lowered to 1.50 rounds up and keeps the cents",
                  &TCardInfo::SubtractFromLimit, limit, "500.00", "498.50", "1.50"},
        TotalCase{"limit lowered to exactly zero", &TCardInfo::SubtractFromLimit, limit, "500.00",
                  "500.00", "0.00"},
        TotalCase{"zero limit stays zero", &TCardInfo::SubtractFromLimit, limit, "0.00", "10.00",
                  "0.00"},
        TotalCase{"empty limit lowered is zero", &TCardInfo::SubtractFromLimit, limit, "", "10.00",
                  "0.00"},
        TotalCase{"owed raised", &TCardInfo::AddToOwed, owed, "100.00", "40.00", "140.00"},
        TotalCase{"empty owed raised", &TCardInfo::AddToOwed, owed, "", "12.34", "12.34"},
        TotalCase{"credit reduced by a charge", &TCardInfo::AddToOwed, owed, "-25.00", "10.00",
                  "-15.00"},
        TotalCase{"owed lowered", &TCardInfo::SubtractFromOwed, owed, "100.00", "40.00", "60.00"},
        TotalCase{"owed lowered into a credit", &TCardInfo::SubtractFromOwed, owed, "10.00",
                  "10.05", "-.05"},
        TotalCase{"empty owed lowered", &TCardInfo::SubtractFromOwed, owed, "", "12.34", "-12.34"},
        TotalCase{"reconciled raised", &TCardInfo::AddToReconciled, reconciled, ".95", ".10",
                  "1.05"},
        TotalCase{"empty reconciled raised", &TCardInfo::AddToReconciled, reconciled, "", "7.00",
                  "7.00"},
        TotalCase{"reconciled lowered", &TCardInfo::SubtractFromReconciled, reconciled, "50.00",
                  "20.00", "30.00"},
        TotalCase{"empty reconciled lowered", &TCardInfo::SubtractFromReconciled, reconciled, "",
                  "7.00", "-7.00"}),
    [](const testing::TestParamInfo<TotalCase>& info) {
        return "Case" + std::to_string(info.index);
    });

using CardInfoReconciled = CardInfoTest;

TEST_F(CardInfoReconciled, SwitchingClearedOnAndOffForTheSameChargeLeavesReconciledAsBefore)
{
    p().reg.E8 = QStringLiteral("40.00");
    p().cardInfo.AddToReconciled(QStringLiteral("12.34"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("52.34"));
    p().cardInfo.SubtractFromReconciled(QStringLiteral("12.34"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("40.00"));
}

// --- Available credit ---

struct AvailableCase
{
    const char* label;
    const char* limit;
    const char* owed;
    const char* available;
};

void PrintTo(const AvailableCase& c, std::ostream* os)
{
    *os << c.label;
}

class CardInfoAvailable : public CardInfoTest, public testing::WithParamInterface<AvailableCase>
{};

TEST_P(CardInfoAvailable, IsTheLimitLessOwedKeptBetweenZeroAndTheLimit)
{
    const AvailableCase& c = GetParam();
    p().reg.E5 = QString::fromUtf8(c.limit);
    p().reg.E6 = QString::fromUtf8(c.owed);
    p().reg.E7 = QStringLiteral("stale");
    p().cardInfo.RecomputeAvailable();
    EXPECT_EQ(p().reg.E7, QString::fromUtf8(c.available)) << c.label;
    EXPECT_EQ(p().reg.E5, QString::fromUtf8(c.limit)) << c.label;
    EXPECT_EQ(p().reg.E6, QString::fromUtf8(c.owed)) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CardInfoAvailable,
    testing::Values(
        AvailableCase{"part of the limit used", "1000.00", "250.00", "750.00"},
        AvailableCase{"a credit does not raise it above the limit", "1000.00", "-25.00", "1000.00"},
        AvailableCase{"owing more than the limit leaves nothing", "1000.00", "1200.00", "0.00"},
        AvailableCase{"owing the limit exactly leaves nothing", "1000.00", "1000.00", "0.00"},
        AvailableCase{"five cents left", "1000.00", "999.95", ".05"},
        AvailableCase{"nothing owed", "500.00", "0.00", "500.00"},
        AvailableCase{"an empty owed total counts as zero", "500.00", "", "500.00"},
        AvailableCase{"an empty limit with a debt leaves nothing", "", "10.00", "0.00"},
        AvailableCase{"an empty limit with a credit is still a zero limit", "", "-10.00", "0.00"}),
    [](const testing::TestParamInfo<AvailableCase>& info) {
        return "Case" + std::to_string(info.index);
    });

// --- The card information file ---

using CardInfoFile = CardInfoTest;

TEST_F(CardInfoFile, SaveInfoWritesTheTenFieldsInOrderOnePerLine)
{
    fillHeader();
    p().cardInfo.SaveInfo();
    EXPECT_EQ(bytesOf(QStringLiteral("3info.dat")), QByteArray("3. Visa  Gold \r\n"
                                                               "10/31/27\r\n"
                                                               "18.9\r\n"
                                                               "0\r\n"
                                                               "6/30/27\r\n"
                                                               "15\r\n"
                                                               "1000.00\r\n"
                                                               "-25.00\r\n"
                                                               "1000.00\r\n"
                                                               ".05\r\n"));
}

TEST_F(CardInfoFile, EmptyFieldsAreSavedAsEmptyLines)
{
    p().cardInfo.SaveInfo();
    EXPECT_EQ(bytesOf(QStringLiteral("3info.dat")),
              QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST_F(CardInfoFile, SaveInfoRewritesTheWholeFileOfThisCardOnly)
{
    putBytes(QStringLiteral("3info.dat"), QByteArray(200, 'z'));
    p().reg.cardKey = QStringLiteral("12");
    fillHeader();
    p().cardInfo.SaveInfo();
    EXPECT_EQ(p().cardInfo.fileName(), QStringLiteral("12info.dat"));
    EXPECT_EQ(bytesOf(QStringLiteral("3info.dat")), QByteArray(200, 'z'));
    p().reg.cardKey = QStringLiteral("3");
    p().cardInfo.SaveInfo();
    EXPECT_EQ(bytesOf(QStringLiteral("3info.dat")), bytesOf(QStringLiteral("12info.dat")));
}

TEST_F(CardInfoFile, WrittenAndReadBackGivesTheSameTenTexts)
{
    fillHeader();
    const QStringList saved = infoFields(p().reg);
    p().cardInfo.SaveInfo();
    p().currentCard.ResetCard();
    p().reg.Edit1.clear();
    p().cardInfo.LoadInfo();
    EXPECT_EQ(infoFields(p().reg), saved);
}

TEST_F(CardInfoFile, AShortFileLeavesTheRemainingFieldsEmpty)
{
    fillHeader();
    putBytes(QStringLiteral("3info.dat"), "4. Amex\r\n1/31/28\r\n21.5\r\n");
    p().cardInfo.LoadInfo();
    EXPECT_EQ(infoFields(p().reg),
              QStringList({"4. Amex", "1/31/28", "21.5", "", "", "", "", "", "", ""}));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("26")) << "the year is not part of the file";
}

TEST_F(CardInfoFile, EmptyTotalsFromAShortFileCountAsZeroInTheNextChange)
{
    putBytes(QStringLiteral("3info.dat"), "4. Amex\r\n");
    p().cardInfo.LoadInfo();
    p().cardInfo.AddToOwed(QStringLiteral("12.50"));
    p().cardInfo.SubtractFromReconciled(QStringLiteral("2.00"));
    p().cardInfo.AddToLimit(QStringLiteral("300.00"));
    EXPECT_EQ(p().reg.E6, QStringLiteral("12.50"));
    EXPECT_EQ(p().reg.E8, QStringLiteral("-2.00"));
    EXPECT_EQ(p().reg.E5, QStringLiteral("300.00"));
}

TEST_F(CardInfoFile, LinesAfterTheTenthAreIgnored)
{
    putBytes(QStringLiteral("3info.dat"),
             "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n7.00\r\n8.00\r\n9.00\r\n10.00\r\nk\r\n");
    p().cardInfo.LoadInfo();
    EXPECT_EQ(infoFields(p().reg),
              QStringList({"a", "b", "c", "d", "e", "f", "7.00", "8.00", "9.00", "10.00"}));
}

struct DamagedInfo
{
    const char* label;
    QByteArray bytes;
    const char* message;
};

void PrintTo(const DamagedInfo& c, std::ostream* os)
{
    *os << c.label;
}

class CardInfoDamagedFile : public CardInfoTest, public testing::WithParamInterface<DamagedInfo>
{};

// The totals are added to by every posting: one that is no amount, or zeros
// left by a power cut, stop the load before any field changes, and the
// original bytes are kept.
TEST_P(CardInfoDamagedFile, ChangesNoFieldKeepsACopyAndNamesTheLine)
{
    const DamagedInfo& c = GetParam();
    fillHeader();
    const QStringList before = infoFields(p().reg);
    putBytes(QStringLiteral("3info.dat"), c.bytes);
    try {
        p().cardInfo.LoadInfo();
        FAIL() << c.label << ": the file loaded without a message";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), c.message) << c.label;
        EXPECT_EQ(error.followUp(), "3info.dat could not be read completely; its original content "
                                    "was kept as 3info.dat.damaged.")
            << c.label;
    }
    EXPECT_EQ(infoFields(p().reg), before) << c.label;
    EXPECT_EQ(bytesOf(QStringLiteral("3info.dat.damaged")), c.bytes) << c.label;
    EXPECT_EQ(bytesOf(QStringLiteral("3info.dat")), c.bytes) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CardInfoDamagedFile,
    testing::Values(
        DamagedInfo{"a limit that is no amount",
                    "Visa\r\n10/31/27\r\n18.9\r\n0\r\n6/30/27\r\n15\r\n9OO.00\r\n"
                    "0.00\r\n900.00\r\n0.00\r\n",
                    "'9OO.00' is not a valid floating point value (line 7 of 3info.dat)"},
        DamagedInfo{"an owed balance that is no amount",
                    "Visa\r\n10/31/27\r\n18.9\r\n0\r\n6/30/27\r\n15\r\n900.00\r\n"
                    "12x.50\r\n900.00\r\n0.00\r\n",
                    "'12x.50' is not a valid floating point value (line 8 of 3info.dat)"},
        DamagedInfo{"a reconciled balance that is no amount",
                    "Visa\r\n10/31/27\r\n18.9\r\n0\r\n6/30/27\r\n15\r\n900.00\r\n"
                    "0.00\r\n900.00\r\nnone\r\n",
                    "'none' is not a valid floating point value (line 10 of 3info.dat)"},
        DamagedInfo{"zeros in place of the totals",
                    QByteArray("Visa\r\n10/31/27\r\n18.9\r\n0\r\n6/30/27\r\n15\r\n\0\0\0\0", 42),
                    "Line 7 of 3info.dat holds a NUL byte."}),
    [](const testing::TestParamInfo<DamagedInfo>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(CardInfoFile, AMissingFileChangesNothing)
{
    fillHeader();
    const QStringList before = infoFields(p().reg);
    p().cardInfo.LoadInfo();
    EXPECT_EQ(infoFields(p().reg), before);
    EXPECT_FALSE(DataFile::exists(QStringLiteral("3info.dat")));
}

// --- Emptying the register and showing the year ---

using RegisterHeader = CardInfoTest;

TEST_F(RegisterHeader, ResetCardEmptiesNameTotalsAndLedgerButKeepsExpiryAndYear)
{
    fillHeader();
    for (int r : {1, 2, 1000})
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            p().ledger.setCell(column, r, QStringLiteral("cell"));
    p().currentCard.ResetCard();
    EXPECT_EQ(infoFields(p().reg), QStringList({"", "10/31/27", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("26"));
    for (int r = 1; r <= 1000; ++r)
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            ASSERT_EQ(p().ledger.cell(column, r), QString()) << "column " << column << " row " << r;
    EXPECT_EQ(p().ledger.cell(TGrid::Number, 1000), QStringLiteral("1000"));
    EXPECT_EQ(p().ledger.cell(TGrid::Date, 0), QStringLiteral("Date"));
}

TEST_F(RegisterHeader, ShowSelectedYearCopiesTheSelectedYearText)
{
    p().main.SelectedYr = QStringLiteral("06");
    p().yrEditBox.ShowSelectedYear();
    EXPECT_EQ(p().reg.EYr, QStringLiteral("06"));
    p().main.SelectedYr = QStringLiteral("24");
    EXPECT_EQ(p().reg.EYr, QStringLiteral("06")) << "the box keeps its text until shown again";
    p().yrEditBox.ShowSelectedYear();
    EXPECT_EQ(p().reg.EYr, QStringLiteral("24"));
}

} // namespace
