#include "core/program/year_form.h"
#include "support/program_fixture.h"

namespace {

// A card added in 2025 and opened again on 8 December 2026, with one charge
// in each year: its year list holds 25 and 26, and the register shows 26.
class YearFormTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        Clock::fix(QDateTime(QDate(2025, 6, 1), QTime(12, 0)));
        restart();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        clickCard(1);
        p().tc.OpenCard();
        addCharge(QStringLiteral("Old"), QStringLiteral("10.00"));
        Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
        restart();
        clickCard(1);
        p().tc.OpenCard();
        addCharge(QStringLiteral("New"), QStringLiteral("20.00"));
        ASSERT_EQ(p().years.items, (QStringList{"25", "26"}));
        ASSERT_EQ(p().years.selected, -1);
        ASSERT_TRUE(messages.shown().isEmpty());
    }
};

TEST_F(YearFormTest, OkWithNoYearSelectedIsRefusedAndChangesNothing)
{
    YearForm form(p());
    const FormCheck check = form.check();
    EXPECT_EQ(check.message, QStringLiteral("A year must be selected from the listbox."));
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("26"));
}

TEST_F(YearFormTest, OkShowsTheSelectedYearInTheRegister)
{
    p().years.selected = 0;
    YearForm form(p());
    ASSERT_TRUE(form.check().accepted());
    form.post();

    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("25"));
    EXPECT_EQ(p().reg.EYr, QStringLiteral("25"));
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 1), QStringLiteral("Old"));
    EXPECT_TRUE(p().reg.shown);
}

TEST_F(YearFormTest, ChoosingTheYearOnViewReloadsItUnchanged)
{
    p().years.selected = 1;
    YearForm form(p());
    form.post();

    EXPECT_EQ(p().reg.EYr, QStringLiteral("26"));
    EXPECT_EQ(p().ledger.cell(TGrid::Description, 1), QStringLiteral("New"));
    EXPECT_EQ(p().grid.entryCount(), 1);
}

TEST_F(YearFormTest, OpeningTheCardAgainClearsTheSelection)
{
    p().years.selected = 0;
    p().tc.OpenCard();
    EXPECT_EQ(p().years.selected, -1);
    EXPECT_FALSE(YearForm(p()).check().accepted());
}

} // namespace
