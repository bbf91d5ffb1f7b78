#include "core/program/balance_chart.h"
#include "support/dialog_fixture.h"
#include "ui/kit/click_label.h"
#include "ui/windows/balance_chart.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

namespace {

class BalanceChartWindow : public DialogWindows
{
protected:
    QWidget* chart() { return m_windows->window(QStringLiteral("Chart")); }
    QWidget* form1() { return m_windows->window(QStringLiteral("Form1")); }
    QChartView* view() { return control<QChartView>(chart(), "ChartView"); }

    QLineSeries* series(const QString& name)
    {
        for (QAbstractSeries* s : view()->chart()->series())
            if (s->objectName() == name)
                return qobject_cast<QLineSeries*>(s);
        ADD_FAILURE() << "no series " << name.toStdString();
        return nullptr;
    }

    // The series' points as the chart core gives them: days and cents.
    std::vector<ChartPoint> pointsOf(const QString& name)
    {
        std::vector<ChartPoint> points;
        if (QLineSeries* s = series(name))
            for (const QPointF& point : s->points())
                points.push_back({TBalanceChart::dateAt(point.x()), qRound64(point.y() * 100)});
        return points;
    }

    void clickChartWord()
    {
        auto* word = control<ClickLabel>(form1(), "LChart");
        ASSERT_NE(word, nullptr);
        QTest::mouseClick(word, Qt::LeftButton, {}, word->rect().center());
    }

    void addCharge(const QString& amount, QDate date)
    {
        ASSERT_TRUE(ui().registerCommands.bb3Click());
        EntryValues entry;
        entry.date = date;
        entry.description = QStringLiteral("Books");
        entry.charge = amount;
        p().tc.AddCharge(entry);
        ui().refresh();
    }
};

TEST_F(BalanceChartWindow, IsMadeHiddenWithItsNamesAndTwoSeries)
{
    ASSERT_NE(chart(), nullptr);
    EXPECT_FALSE(chart()->isVisible());
    EXPECT_EQ(chart()->windowTitle(), QStringLiteral("Balance chart"));
    EXPECT_FALSE(chart()->isModal());
    QStringList names;
    for (QAbstractSeries* s : view()->chart()->series())
        names << s->objectName() + u'/' + s->name();
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Balance/Balance"), QStringLiteral("Limit/Limit")}));
}

TEST_F(BalanceChartWindow, OpensFromTheRegistersWordWithTheYearOnView)
{
    openCard();
    addCharge(QStringLiteral("42.35"), QDate(2026, 3, 5));
    clickChartWord();
    ASSERT_TRUE(chart()->isVisible());
    EXPECT_EQ(view()->chart()->title(), QStringLiteral("Visa, 2026"));
    EXPECT_EQ(pointsOf(QStringLiteral("Balance")),
              (std::vector<ChartPoint>{{QDate(2026, 1, 1), 0}, {QDate(2026, 3, 5), 4235}}));
    EXPECT_EQ(pointsOf(QStringLiteral("Limit")),
              (std::vector<ChartPoint>{{QDate(2026, 1, 1), 90000}, {QDate(2026, 12, 31), 90000}}));
}

TEST_F(BalanceChartWindow, TheDateAxisRunsFromTheFirstToTheLastDayOfTheYear)
{
    openCard();
    clickChartWord();
    const auto axes = view()->chart()->axes(Qt::Horizontal);
    ASSERT_EQ(axes.size(), 1);
    const auto* dates = qobject_cast<QDateTimeAxis*>(axes.front());
    ASSERT_NE(dates, nullptr);
    EXPECT_EQ(dates->min().date(), QDate(2026, 1, 1));
    EXPECT_EQ(dates->max().date(), QDate(2026, 12, 31));
}

TEST_F(BalanceChartWindow, TheMoneyAxisHoldsTheLimitZeroAndACredit)
{
    openCard();
    ASSERT_TRUE(ui().registerCommands.bb3Click());
    EntryValues payment;
    payment.date = QDate(2026, 2, 1);
    payment.payment = QStringLiteral("250.00");
    p().tc.AddPayment(payment);
    clickChartWord();
    const auto axes = view()->chart()->axes(Qt::Vertical);
    ASSERT_EQ(axes.size(), 1);
    const auto* money = qobject_cast<QValueAxis*>(axes.front());
    ASSERT_NE(money, nullptr);
    EXPECT_LE(money->min(), -250.0);
    EXPECT_GE(money->max(), 900.0);
}

TEST_F(BalanceChartWindow, AnOpenChartIsRedrawnWhenTheRegisterChanges)
{
    openCard();
    clickChartWord();
    EXPECT_EQ(pointsOf(QStringLiteral("Balance")).size(), 1u);
    addCharge(QStringLiteral("10.00"), QDate(2026, 7, 4));
    EXPECT_EQ(pointsOf(QStringLiteral("Balance")),
              (std::vector<ChartPoint>{{QDate(2026, 1, 1), 0}, {QDate(2026, 7, 4), 1000}}));
}

TEST_F(BalanceChartWindow, ARefreshThatChangesNothingLeavesTheSeriesAlone)
{
    openCard();
    clickChartWord();
    int replaced = 0;
    QObject::connect(series(QStringLiteral("Balance")), &QXYSeries::pointsReplaced,
                     [&replaced] { ++replaced; });
    ui().refresh();
    ui().refresh();
    EXPECT_EQ(replaced, 0);
    addCharge(QStringLiteral("1.00"), QDate(2026, 2, 2));
    EXPECT_EQ(replaced, 1);
}

TEST_F(BalanceChartWindow, ClosingTheRegisterHidesTheChart)
{
    openCard();
    clickChartWord();
    ASSERT_TRUE(chart()->isVisible());
    form1()->close();
    EXPECT_FALSE(p().reg.shown);
    EXPECT_FALSE(chart()->isVisible());
    // The register opening again does not bring the chart back by itself.
    p().tc.OpenCard();
    ui().refresh();
    EXPECT_TRUE(form1()->isVisible());
    EXPECT_FALSE(chart()->isVisible());
}

TEST_F(BalanceChartWindow, AClosedChartOpensAgainOnTheLatestLedger)
{
    openCard();
    clickChartWord();
    chart()->close();
    addCharge(QStringLiteral("3.00"), QDate(2026, 9, 9));
    clickChartWord();
    EXPECT_EQ(pointsOf(QStringLiteral("Balance")).back(), (ChartPoint{QDate(2026, 9, 9), 300}));
}

TEST_F(BalanceChartWindow, TheChartWordFollowsExportAndLeavesTheStripsRightEndFree)
{
    openCard();
    QApplication::processEvents();
    const QRect exportWord = control(form1(), "LExport")->geometry();
    const QRect chartWord = control(form1(), "LChart")->geometry();
    const QRect reportWord = control(form1(), "LReport")->geometry();
    EXPECT_EQ(chartWord.top(), exportWord.top());
    // The same gap as between the words before it.
    EXPECT_EQ(chartWord.left() - exportWord.right(), exportWord.left() - reportWord.right());
    // Room for two small buttons at the right end of the strip.
    const int strip = control(form1(), "ProPanel1")->width();
    EXPECT_LE(chartWord.right(), strip - 60 * strip / 632);
}

TEST(BalanceChartAxis, EveryDayOfTheYearReadsBackFromItsPlace)
{
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1))
        ASSERT_EQ(TBalanceChart::dateAt(TBalanceChart::xOf(day)), day);
    EXPECT_LT(TBalanceChart::xOf(QDate(2026, 12, 31)), TBalanceChart::xOf(QDate(2027, 1, 1)));
}

} // namespace
