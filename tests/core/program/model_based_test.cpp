#include "support/program_fixture.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <map>
#include <random>
#include <vector>

// Thousands of random user actions across three calendar years, each checked
// against a plain model of the cards kept in whole cents: the balance owed is
// all charges less all payments of every year, the reconciled balance only
// the cleared ones, every running balance follows from its year's opening
// balance (everything entered in the years before), the available credit lies
// between 0.00 and the limit, the totals are the sums of the card rows, and a
// fresh program reading the files shows the same.
namespace {

using Cents = std::int64_t;

// Money text as the program writes it: 5 cents is .05, zero is 0.00.
QString money(Cents cents)
{
    if (cents == 0)
        return QStringLiteral("0.00");
    const Cents magnitude = cents < 0 ? -cents : cents;
    QString text = magnitude >= 100 ? QString::number(magnitude / 100) : QString();
    text += u'.' + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QChar(u'0'));
    return cents < 0 ? u'-' + text : text;
}

struct EntryModel
{
    bool charge = true;
    Cents cents = 0;
    bool cleared = false;
    QString amountText; // as the dialog prepared it
    QString description;
};

struct CardModel
{
    QString key;
    Cents limit = 0;
    std::map<int, std::vector<EntryModel>> years;

    Cents owed(bool clearedOnly = false) const
    {
        Cents total = 0;
        for (const auto& [year, entries] : years)
            for (const EntryModel& e : entries)
                if (!clearedOnly || e.cleared)
                    total += e.charge ? e.cents : -e.cents;
        return total;
    }
    Cents available() const { return std::min(std::max(limit - owed(), Cents(0)), limit); }
    Cents opening(int year) const
    {
        Cents total = 0;
        for (const auto& [y, entries] : years)
            if (y < year)
                for (const EntryModel& e : entries)
                    total += e.charge ? e.cents : -e.cents;
        return total;
    }
};

struct Seed
{
    const char* label;
    unsigned seed;
    int steps;
};

class ModelBased : public ProgramTest, public testing::WithParamInterface<Seed>
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // Thousands of saves: in memory where the system offers it.
        useMemoryFolder();
        m_year = 2024;
        Clock::fix(QDateTime(QDate(m_year, 3, 1), QTime(10, 0)));
        restart();
    }

    int draw(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return draw(1, 100) <= percent; }

    // An amount as a user might type it, prepared as the dialogs prepare it.
    std::pair<Cents, QString> typedAmount()
    {
        const Cents cents = chance(5) ? Cents(draw(1, 2'000'000'000)) * 50 : draw(1, 90'000);
        QString typed;
        switch (draw(0, 3)) {
        case 0:
            typed = money(cents);
            break;
        case 1:
            typed = QStringLiteral("$") + money(cents);
            break;
        case 2: // "1,234.50" with a separator when it is long enough
            typed = money(cents);
            if (typed.indexOf(u'.') > 3)
                typed.insert(typed.indexOf(u'.') - 3, u',');
            break;
        default: // whole units without cents, when there are none
            typed = cents % 100 == 0 ? QString::number(cents / 100) : u'0' + money(cents);
            break;
        }
        return {cents,
                QString::fromStdString(p().math.PrepareTypedAmount(typed.toStdString(), false))};
    }

    QString description()
    {
        static const QStringList texts{
            QStringLiteral("Groceries"),
            QStringLiteral("  two  blanks "),
            QStringLiteral("3 7 X"),
            QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC 5"),
            QStringLiteral("tab\there"),
            QString::fromUtf8("\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x9A\x86"),
            QString()};
        return texts[draw(0, int(texts.size()) - 1)];
    }

    int rowOf(const CardModel& card) const
    {
        for (std::size_t i = 0; i < m_cards.size(); ++i)
            if (m_cards[i].key == card.key)
                return int(i) + 1;
        return 0;
    }

    CardModel* openCard()
    {
        for (CardModel& card : m_cards)
            if (p().reg.shown && card.key == m_openKey)
                return &card;
        return nullptr;
    }

    // Actions --------------------------------------------------------------

    void addCard()
    {
        if (m_cards.size() >= 6)
            return;
        CardValues values =
            sampleCard(QStringLiteral("Card %1").arg(m_nextKey), money(Cents(draw(0, 500'000))));
        CardModel card;
        card.key = QString::number(m_nextKey++);
        card.limit = p().math.AmountToCents(values.creditLimit.toStdString());
        if (chance(40)) {
            const auto [cents, text] = typedAmount();
            values.openingBalance = text;
            card.years[m_year % 100].push_back({true, cents, true, text, "Opening Bal"});
        }
        p().tc.AddCard(values);
        m_cards.push_back(card);
        m_openKey.clear();
    }

    void open(const CardModel& card)
    {
        clickCard(rowOf(card));
        mainWindow().B1Click();
        m_openKey = card.key;
        m_shownYear = m_year % 100;
    }

    void deleteCard(std::size_t index)
    {
        clickCard(int(index) + 1);
        mainWindow().B3Click();
        m_openKey.clear();
        if (m_cards[index].owed() != 0) {
            ASSERT_EQ(messages.shown().size(), 1);
            ASSERT_TRUE(messages.shown().front().startsWith(u"This card can not be deleted"));
            messages.clear();
            return;
        }
        m_cards.erase(m_cards.begin() + std::ptrdiff_t(index));
    }

    void editLimit(CardModel& card)
    {
        clickCard(rowOf(card));
        ASSERT_TRUE(mainWindow().B4Click());
        m_openKey = card.key;
        m_shownYear = m_year % 100;
        const Cents limit = chance(10) ? Cents(draw(0, 80)) : Cents(draw(0, 600'000));
        CardValues edit;
        edit.creditLimit = money(limit);
        edit.creditLimitModified = true;
        p().tc.EditCard(edit);
        // Lowered to half a unit or less, a limit becomes 0.00 (0.50 rounds to 0).
        card.limit = limit > card.limit || limit > 50 ? limit : 0;
    }

    void addEntry(CardModel& card, int row, bool insert)
    {
        EntryModel e;
        e.charge = chance(60);
        std::tie(e.cents, e.amountText) = typedAmount();
        e.cleared = chance(40);
        e.description = description();
        if (insert) {
            clickEntry(row);
            ASSERT_TRUE(registerWindow().bb4Click());
            p().grid.OpenGapAtSelectedRow();
        } else {
            ASSERT_TRUE(registerWindow().bb3Click());
        }
        post(e);
        auto& entries = card.years[m_shownYear];
        entries.insert(entries.begin() + (insert ? row - 1 : std::ptrdiff_t(entries.size())), e);
    }

    void post(const EntryModel& e)
    {
        EntryValues values;
        values.date = Clock::today();
        values.description = e.description;
        values.charge = values.payment = e.amountText;
        values.cleared = e.cleared;
        if (e.charge)
            p().tc.AddCharge(values);
        else
            p().tc.AddPayment(values);
    }

    // The entry dialog's edit: the old entry removed by its kind, its row
    // opened again unless it was the last, the new entry posted there.
    void editEntry(CardModel& card, int row)
    {
        EntryModel e;
        e.charge = chance(60);
        std::tie(e.cents, e.amountText) = typedAmount();
        e.cleared = chance(40);
        e.description = description();
        clickEntry(row);
        ASSERT_TRUE(registerWindow().bb6Click());
        if (!p().ledger.cell(TGrid::Charges, row).isEmpty())
            p().tc.DeleteCharge();
        else
            p().tc.DeletePayment();
        if (p().grid.selectedRow() <= p().grid.entryCount())
            p().grid.OpenGapAtSelectedRow();
        post(e);
        card.years[m_shownYear][std::size_t(row - 1)] = e;
    }

    void deleteEntry(CardModel& card, int row)
    {
        clickEntry(row);
        registerWindow().bb5Click();
        auto& entries = card.years[m_shownYear];
        entries.erase(entries.begin() + (row - 1));
    }

    void toggle(CardModel& card, int row)
    {
        clickEntry(row);
        registerWindow().bb7Click();
        auto& e = card.years[m_shownYear][std::size_t(row - 1)];
        e.cleared = !e.cleared;
    }

    void switchYear()
    {
        if (p().years.items.size() < 2)
            return;
        const QString year = p().years.items[draw(0, int(p().years.items.size()) - 1)];
        p().tc.SelectYear(year);
        p().tc.ChangeYear();
        m_shownYear = year.toInt();
    }

    // A new calendar year: the program is started again.
    void nextYear()
    {
        ++m_year;
        Clock::fix(QDateTime(QDate(m_year, 3, 1), QTime(10, 0)));
        restart();
        m_openKey.clear();
    }

    void step()
    {
        CardModel* card = openCard();
        const int entries = card ? int(card->years[m_shownYear].size()) : 0;
        const int choice = draw(1, 100);
        if (m_cards.empty() || choice <= 3) {
            addCard();
        } else if (choice <= 5) {
            deleteCard(std::size_t(draw(0, int(m_cards.size()) - 1)));
        } else if (choice <= 8) {
            editLimit(m_cards[std::size_t(draw(0, int(m_cards.size()) - 1))]);
        } else if (choice <= 10) {
            clickCard(draw(1, 24)); // the register stays on its card
        } else if (!card || choice <= 14) {
            open(m_cards[std::size_t(draw(0, int(m_cards.size()) - 1))]);
        } else if (choice <= 18) {
            switchYear();
        } else if (entries == 0 || choice <= 45) {
            addEntry(*card, 0, false);
        } else if (choice <= 58) {
            addEntry(*card, draw(1, entries), true);
        } else if (choice <= 72) {
            editEntry(*card, draw(1, entries));
        } else if (choice <= 86) {
            deleteEntry(*card, draw(1, entries));
        } else {
            toggle(*card, draw(1, entries));
        }
    }

    // Checks ---------------------------------------------------------------

    void expectMatchesModel(const std::string& where)
    {
        SCOPED_TRACE(where);
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
        ASSERT_EQ(p().cardList.cardCount(), int(m_cards.size()));
        Cents limits = 0;
        Cents owed = 0;
        Cents available = 0;
        for (const CardModel& card : m_cards) {
            const int row = rowOf(card);
            ASSERT_TRUE(p().sg1.cell(TCardList::Name, row).startsWith(card.key + u'.'));
            ASSERT_EQ(p().sg1.cell(TCardList::Limit, row), money(card.limit));
            ASSERT_EQ(p().sg1.cell(TCardList::Owed, row), money(card.owed()));
            ASSERT_EQ(p().sg1.cell(TCardList::Available, row), money(card.available()));
            ASSERT_GE(card.available(), 0);
            ASSERT_LE(card.available(), card.limit);
            limits += card.limit;
            owed += std::max(card.owed(), Cents(0));
            available += card.available();
        }
        if (!m_cards.empty() || !p().main.E1.isEmpty()) {
            ASSERT_EQ(p().main.E1, money(limits));
            ASSERT_EQ(p().main.E2, money(owed));
            ASSERT_EQ(p().main.E3, money(available));
        }
        if (const CardModel* card = openCard())
            expectRegisterShows(*card, m_shownYear);
    }

    void expectRegisterShows(const CardModel& card, int year)
    {
        const RegisterFields& r = p().reg;
        ASSERT_EQ(r.EYr, QStringLiteral("%1").arg(year, 2, 10, QChar(u'0')));
        ASSERT_EQ(r.E5, money(card.limit));
        ASSERT_EQ(r.E6, money(card.owed()));
        ASSERT_EQ(r.E7, money(card.available()));
        ASSERT_EQ(r.E8, money(card.owed(true)));
        ASSERT_EQ(r.overdrawn, card.owed() > card.limit);
        const auto found = card.years.find(year);
        const std::vector<EntryModel> none;
        const std::vector<EntryModel>& entries = found == card.years.end() ? none : found->second;
        ASSERT_EQ(p().grid.entryCount(), int(entries.size()));
        Cents balance = card.opening(year);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int row = int(i) + 1;
            const EntryModel& e = entries[i];
            balance += e.charge ? e.cents : -e.cents;
            ASSERT_EQ(p().ledger.cell(TGrid::Description, row), e.description) << "row " << row;
            ASSERT_EQ(p().ledger.cell(e.charge ? TGrid::Charges : TGrid::Payments, row),
                      e.amountText)
                << "row " << row;
            ASSERT_TRUE(
                p().ledger.cell(e.charge ? TGrid::Payments : TGrid::Charges, row).isEmpty());
            ASSERT_EQ(p().ledger.cell(TGrid::Cleared, row), e.cleared ? "X" : "") << "row " << row;
            ASSERT_EQ(p().ledger.cell(TGrid::Balance, row), money(balance)) << "row " << row;
        }
        for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
            ASSERT_TRUE(p().ledger.cell(column, int(entries.size()) + 1).isEmpty());
    }

    // A fresh program in the same folder reads back every card as the model
    // has it, in every year of its list; then the user's view is restored.
    void expectFilesReadBack(const std::string& where)
    {
        SCOPED_TRACE(where + ", read back");
        const QString openKey = m_openKey;
        const int shownYear = m_shownYear;
        restart();
        m_openKey.clear();
        ASSERT_NO_FATAL_FAILURE(expectMatchesModel(where));
        for (const CardModel& card : m_cards) {
            open(card);
            for (const QString& year : QStringList(p().years.items)) {
                p().tc.SelectYear(year);
                p().tc.ChangeYear();
                m_shownYear = year.toInt();
                ASSERT_NO_FATAL_FAILURE(expectMatchesModel(where));
            }
        }
        for (const CardModel& card : m_cards) {
            if (card.key != openKey)
                continue;
            open(card);
            p().tc.SelectYear(QStringLiteral("%1").arg(shownYear, 2, 10, QChar(u'0')));
            p().tc.ChangeYear();
            m_shownYear = shownYear;
        }
        ASSERT_NO_FATAL_FAILURE(expectMatchesModel(where));
    }

    std::mt19937 m_random;
    std::vector<CardModel> m_cards;
    int m_nextKey = 1;
    int m_year = 2024;
    QString m_openKey;
    int m_shownYear = 24;
};

TEST_P(ModelBased, RandomUseKeepsEveryBalanceTotalAndFileRight)
{
    m_random.seed(GetParam().seed);
    const int steps = GetParam().steps;
    for (int n = 1; n <= steps; ++n) {
        if (n == steps / 3 || n == 2 * steps / 3)
            nextYear();
        step();
        const std::string where = std::string(GetParam().label) + ", step " + std::to_string(n);
        ASSERT_NO_FATAL_FAILURE(expectMatchesModel(where));
        if (n % 100 == 0 || n == steps) {
            ASSERT_NO_FATAL_FAILURE(expectFilesReadBack(where));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelBased,
                         testing::Values(Seed{"seed 1", 1, 1500}, Seed{"seed 2", 2, 1500},
                                         Seed{"seed 3", 3, 1500}, Seed{"seed 2026", 2026, 1500}),
                         [](const testing::TestParamInfo<Seed>& info) {
                             return "Seed" + std::to_string(info.param.seed);
                         });

} // namespace
