#include "core/program/year_report.h"
#include "support/program_fixture.h"

#include <gtest/gtest.h>

namespace {

// "Visa Gold" open on 8 December 2026 with three entries.
class YearReportOfOpenCard : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00"),
                                  QStringLiteral("10.00")));
        clickCard(1);
        p().tc.OpenCard();
        ASSERT_TRUE(p().reg.shown);
        addCharge(QStringLiteral("Groceries"), QStringLiteral(".05"), true);
        addPayment(QStringLiteral("Payment"), QStringLiteral("30.00"));
    }
};

TEST_F(YearReportOfOpenCard, HoldsTheParticularsBalancesAndEntriesOfTheYearOnView)
{
    const YearReport report = yearReportOf(p());

    EXPECT_EQ(report.cardName, QStringLiteral("Visa Gold"));
    EXPECT_EQ(report.year, 2026);
    EXPECT_EQ(report.rate, QStringLiteral("18.9"));
    EXPECT_EQ(report.introRate, QStringLiteral("0"));
    EXPECT_EQ(report.introExpiry, QStringLiteral("6/30/27"));
    EXPECT_EQ(report.paymentDay, QStringLiteral("15"));
    EXPECT_EQ(report.limit, QStringLiteral("900.00"));
    EXPECT_EQ(report.openingBalance, QStringLiteral("0.00"));
    EXPECT_EQ(report.owed, QStringLiteral("-19.95"));
    EXPECT_EQ(report.available, QStringLiteral("900.00"));
    EXPECT_EQ(report.reconciled, QStringLiteral("10.05"));
    ASSERT_EQ(report.rows.size(), 3u);
    EXPECT_EQ(report.rows[0].description, QStringLiteral("Opening Bal"));
    EXPECT_EQ(report.rows[1].date, QStringLiteral("12/1/26"));
    EXPECT_EQ(report.rows[1].charge, QStringLiteral("0.05"));
    EXPECT_TRUE(report.rows[1].payment.isEmpty());
    EXPECT_TRUE(report.rows[1].cleared);
    EXPECT_EQ(report.rows[1].balance, QStringLiteral("10.05"));
    EXPECT_EQ(report.rows[2].payment, QStringLiteral("30.00"));
    EXPECT_FALSE(report.rows[2].cleared);
    EXPECT_EQ(report.rows[2].balance, QStringLiteral("-19.95"));
}

TEST_F(YearReportOfOpenCard, KeepsAnAmountTextItCannotReadAsTheRegisterShowsIt)
{
    p().ledger.setCell(TGrid::Balance, 2, QStringLiteral("12x.50"));
    EXPECT_EQ(yearReportOf(p()).rows[1].balance, QStringLiteral("12x.50"));
}

YearReport hostileReport()
{
    YearReport report;
    report.cardName = QStringLiteral("<b>Card</b> & \"Co\"");
    report.year = 2026;
    report.rate = QStringLiteral("18.9");
    report.rows.push_back({QStringLiteral("12/1/26"),
                           QStringLiteral("<script>alert('x')</script> & \"more\""),
                           QStringLiteral("1.00"), QString(), true, QStringLiteral("1.00")});
    return report;
}

TEST(ReportHtml, EscapesEveryTextItShows)
{
    const QString html = reportHtml(hostileReport());
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Card")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<td>&lt;script&gt;alert('x')&lt;/script&gt; &amp; &quot;more&quot;</td>")))
        << html.toStdString();
    EXPECT_TRUE(
        html.contains(QStringLiteral("<h2>&lt;b&gt;Card&lt;/b&gt; &amp; &quot;Co&quot;</h2>")));
}

TEST(ReportHtml, RightAlignsTheAmountsAndMarksClearedEntries)
{
    const QString html = reportHtml(hostileReport());
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<td align=\"right\">1.00</td><td align=\"right\"></td><td align=\"center\">X</td>"
        "<td align=\"right\">1.00</td>")))
        << html.toStdString();
}

TEST(ReportHtml, GivesTheEntriesTableOneHeaderRow)
{
    const QString html = reportHtml(hostileReport());
    EXPECT_EQ(html.count(QStringLiteral("<thead>")), 1);
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<thead><tr><th align=\"left\">Date</th><th align=\"left\">Description</th>"
        "<th align=\"right\">Charge</th><th align=\"right\">Payment</th>"
        "<th align=\"center\">X</th><th align=\"right\">Balance</th></tr></thead>")));
}

TEST(ReportTitle, IsTheCardNameAndTheYear)
{
    YearReport report;
    report.cardName = QStringLiteral("Visa Gold");
    report.year = 2026;
    EXPECT_EQ(reportTitle(report), QStringLiteral("Visa Gold, 2026"));
}

} // namespace
