#include "core/platform/data_file.h"
#include "support/program_fixture.h"
#include "support/unprivileged.h"

#include <QDir>

#include <cerrno>

// Every save of every sequence made to fail in turn: by a full disk, by a
// folder standing where the file should be replaced, and, at the first save,
// by a data folder the program may not write to. The sequence stops at that
// step with a message naming the file and the reason; every file on disk is
// whole, the new version for the steps before and the old one from there on;
// and the program goes on: the next action succeeds, and the files then read
// back to what the program shows.
namespace {

enum class Action
{
    NewCardWithOpening,
    NewCard,
    EditCard,
    DeleteCard,
    OpenCardInNewYear,
    ShowStaleYear,
    AddCharge,
    AddPayment,
    InsertCharge,
    EditEntry,
    DeleteEntry,
    ToggleCleared
};

enum class Fault
{
    FullDisk,
    FolderInThePlace,
    ReadOnlyFolder
};

struct ActionInfo
{
    Action action;
    const char* label;
    QStringList saves;   // the files the action writes, in order
    QString firstChange; // the first file it writes or removes
    QStringList reads{}; // the files of `saves` it reads before it writes them
};

const QStringList cardFiles{"summary.dat", "CardList.dat", "1info.dat",
                            "126.dat",     "1bb.dat",      "1yl.dat"};

const std::vector<ActionInfo>& actions()
{
    static const std::vector<ActionInfo> all{
        {Action::NewCardWithOpening,
         "NewCardWithOpening",
         {"summary.dat", "CardList.dat", "3info.dat", "326.dat", "3bb.dat", "3yl.dat"},
         "summary.dat"},
        {Action::NewCard,
         "NewCard",
         {"summary.dat", "CardList.dat", "3info.dat", "326.dat", "3yl.dat"},
         "summary.dat"},
        {Action::EditCard, "EditCard", {"1info.dat", "CardList.dat", "summary.dat"}, "1info.dat"},
        {Action::DeleteCard, "DeleteCard", {"CardList.dat", "summary.dat"}, "226.dat"},
        {Action::OpenCardInNewYear,
         "OpenCardInNewYear",
         {"1yl.dat", "1bb.dat", "127.dat"},
         "1yl.dat",
         {"1yl.dat", "1bb.dat", "127.dat"}},
        {Action::ShowStaleYear, "ShowStaleYear", {"1bb.dat", "126.dat"}, "1bb.dat", {"126.dat"}},
        {Action::AddCharge, "AddCharge", cardFiles, "summary.dat"},
        {Action::AddPayment, "AddPayment", cardFiles, "summary.dat"},
        {Action::InsertCharge, "InsertCharge", cardFiles, "summary.dat"},
        {Action::EditEntry, "EditEntry", cardFiles, "summary.dat"},
        {Action::DeleteEntry,
         "DeleteEntry",
         {"126.dat", "1info.dat", "1bb.dat", "CardList.dat", "summary.dat"},
         "126.dat"},
        {Action::ToggleCleared, "ToggleCleared", {"126.dat", "1info.dat"}, "126.dat"}};
    return all;
}

struct FailedSaveCase
{
    std::size_t action;
    int step;
    Fault fault;
};

std::vector<FailedSaveCase> allCases()
{
    std::vector<FailedSaveCase> cases;
    for (std::size_t a = 0; a < actions().size(); ++a) {
        for (int step = 0; step < actions()[a].saves.size(); ++step) {
            cases.push_back({a, step, Fault::FullDisk});
            // A new card's key passes by every name of the folder, so a
            // folder in the place of one of its files only moves it on to
            // the next key (new_card_key_test.cpp).
            const bool newCard = actions()[a].action == Action::NewCardWithOpening ||
                                 actions()[a].action == Action::NewCard;
            if (!newCard || step < 2)
                cases.push_back({a, step, Fault::FolderInThePlace});
        }
        cases.push_back({a, 0, Fault::ReadOnlyFolder});
    }
    return cases;
}

std::string caseName(const testing::TestParamInfo<FailedSaveCase>& info)
{
    const char* fault = info.param.fault == Fault::FullDisk           ? "FullDisk"
                        : info.param.fault == Fault::FolderInThePlace ? "FolderInThePlace"
                                                                      : "ReadOnlyFolder";
    return std::string(actions()[info.param.action].label) + "_Save" +
           std::to_string(info.param.step + 1) + "_" + fault;
}

using Snapshot = std::map<QString, QByteArray>;

// Card 1 "Visa" (limit 900.00) with a cleared charge of 100.00 and a payment
// of 30.00 in 2026 and a charge of 5.00 in 2024; card 2 "Store" with nothing.
class FailedSave : public ProgramTest, public testing::WithParamInterface<FailedSaveCase>
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        p().tc.AddCard(sampleCard(QStringLiteral("Store"), QStringLiteral("500.00")));
        clickCard(1);
        mainWindow().B1Click();
        addCharge(QStringLiteral("Books"), QStringLiteral("100.00"), true);
        addPayment(QStringLiteral("Payment"), QStringLiteral("30.00"));
        p().tc.SelectYear(QStringLiteral("24"));
        p().tc.ChangeYear();
        addCharge(QStringLiteral("Old"), QStringLiteral("5.00"));
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
        m_base = folderSnapshot();
    }

    void TearDown() override
    {
        for (const QString& name : info().saves)
            DataFile::failNextWrite(name, 0);
        ProgramTest::TearDown();
    }

    const ActionInfo& info() const { return actions()[GetParam().action]; }

    // The program as the user has it just before the action.
    void reopen()
    {
        if (info().action == Action::OpenCardInNewYear)
            Clock::fix(QDateTime(QDate(2027, 1, 2), QTime(9, 0)));
        restart();
        clickCard(1);
        if (info().action == Action::OpenCardInNewYear)
            return;
        mainWindow().B1Click();
        if (info().action == Action::ShowStaleYear) {
            // A charge in 2024 makes the opening balance of 2026 stale.
            p().tc.SelectYear(QStringLiteral("24"));
            p().tc.ChangeYear();
            addCharge(QStringLiteral("Older"), QStringLiteral("2.00"));
        }
    }

    void act()
    {
        switch (info().action) {
        case Action::NewCardWithOpening:
            p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00"),
                                      QStringLiteral("45.00")));
            break;
        case Action::NewCard:
            p().tc.AddCard(sampleCard(QStringLiteral("Gas"), QStringLiteral("300.00")));
            break;
        case Action::EditCard: {
            CardValues edit;
            edit.creditLimit = QStringLiteral("1200.00");
            edit.creditLimitModified = true;
            p().tc.EditCard(edit);
            break;
        }
        case Action::DeleteCard:
            clickCard(2);
            mainWindow().B3Click();
            break;
        case Action::OpenCardInNewYear:
            mainWindow().B1Click();
            break;
        case Action::ShowStaleYear:
            p().tc.SelectYear(QStringLiteral("26"));
            p().tc.ChangeYear();
            break;
        case Action::AddCharge:
            addCharge(QStringLiteral("Fuel"), QStringLiteral("30.00"));
            break;
        case Action::AddPayment:
            addPayment(QStringLiteral("Thanks"), QStringLiteral("20.00"), true);
            break;
        case Action::InsertCharge:
            clickEntry(1);
            ASSERT_TRUE(registerWindow().bb4Click());
            p().grid.OpenGapAtSelectedRow();
            p().tc.AddCharge(entry(QStringLiteral("Before"), QStringLiteral("7.50"), false));
            break;
        case Action::EditEntry:
            clickEntry(1);
            ASSERT_TRUE(registerWindow().bb6Click());
            p().tc.DeleteCharge();
            ASSERT_LE(p().grid.selectedRow(), p().grid.entryCount());
            p().grid.OpenGapAtSelectedRow();
            p().tc.AddPayment(entry(QStringLiteral("Refund"), QStringLiteral("100.00"), false));
            break;
        case Action::DeleteEntry:
            clickEntry(2);
            registerWindow().bb5Click();
            break;
        case Action::ToggleCleared:
            clickEntry(2);
            registerWindow().bb7Click();
            break;
        }
    }

    // What the user does next, once the disk is right again: the same card
    // action again, or, in the register, another charge, which saves every
    // file of the card.
    void next()
    {
        switch (info().action) {
        case Action::NewCardWithOpening:
        case Action::NewCard:
        case Action::EditCard:
        case Action::OpenCardInNewYear:
            act();
            break;
        case Action::DeleteCard:
            p().tc.AddCard(sampleCard(QStringLiteral("Again"), QStringLiteral("10.00")));
            break;
        default:
            addCharge(QStringLiteral("Next"), QStringLiteral("1.00"));
            break;
        }
    }

    void restore(const Snapshot& files)
    {
        for (const auto& [name, bytes] : folderSnapshot())
            if (!files.contains(name))
                QFile::remove(name);
        for (const auto& [name, bytes] : files)
            putBytes(name, bytes);
    }

    QStringList listAndTotals()
    {
        QStringList shown;
        for (int row = 1; row <= 24; ++row)
            for (int column = 0; column < 8; ++column)
                shown << p().sg1.cell(column, row);
        return shown << p().main.E1 << p().main.E2 << p().main.E3;
    }

    QStringList openCard()
    {
        const RegisterFields& r = p().reg;
        QStringList shown{
            r.L7, r.E5, r.E6, r.E7, r.E8, r.EYr, QString::number(p().grid.entryCount())};
        for (int row = 1; row <= p().grid.entryCount() + 1; ++row)
            for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
                shown << p().ledger.cell(column, row);
        return shown;
    }

    // The files read back by a fresh program show what this one shows.
    void expectFilesReadBackAsShown()
    {
        const QStringList list = listAndTotals();
        const bool open = p().reg.shown;
        const QString key = p().reg.cardKey;
        const QStringList card = open ? openCard() : QStringList();
        const QString year = p().main.SelectedYr;
        restart();
        EXPECT_EQ(listAndTotals(), list);
        if (open) {
            clickCard(p().cardList.RowOfKey(key));
            mainWindow().B1Click();
            p().tc.SelectYear(year);
            p().tc.ChangeYear();
            EXPECT_EQ(openCard(), card);
        }
    }

    Snapshot m_base;
};

TEST_P(FailedSave, StopsAtThatStepKeepsEveryFileWholeAndLetsTheUserGoOn)
{
    const FailedSaveCase c = GetParam();
    const QString failing = info().saves[c.step];

    // The action once without a fault shows what each file becomes.
    reopen();
    const Snapshot before = folderSnapshot();
    act();
    ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    const Snapshot after = folderSnapshot();
    restore(m_base);
    reopen();
    ASSERT_EQ(folderSnapshot(), before);

    if (c.fault == Fault::ReadOnlyFolder) {
        std::string shown;
        {
            ReadOnlyFolder readOnly(path());
            shown = asUnprivilegedUser([this] {
                guarded([this] { act(); });
                return messages.shown().join(u'|').toStdString();
            });
        }
        const char* verb = info().action == Action::DeleteCard ? "delete" : "save";
        EXPECT_EQ(shown, QStringLiteral("Could not %1 \"%2\": Permission denied")
                             .arg(QString::fromLatin1(verb), info().firstChange)
                             .toStdString());
        EXPECT_EQ(folderSnapshot(), before);
    } else {
        if (c.fault == Fault::FullDisk) {
            DataFile::failNextWrite(failing, ENOSPC);
        } else {
            QFile::remove(failing);
            ASSERT_TRUE(QDir().mkdir(failing));
        }
        guarded([this] { act(); });

        ASSERT_EQ(messages.shown().size(), 1) << messages.shown().join(u'|').toStdString();
        // A folder where the action first reads the file stops it at the
        // read, before that file is written: every file is whole, the new
        // version or the old one.
        const bool stopsAtRead =
            c.fault == Fault::FolderInThePlace && info().reads.contains(failing);
        if (stopsAtRead)
            EXPECT_EQ(messages.shown().front(),
                      QStringLiteral("Could not read \"%1\": Is a directory").arg(failing));
        else if (c.fault == Fault::FullDisk)
            EXPECT_EQ(
                messages.shown().front(),
                QStringLiteral("Could not save \"%1\": No space left on device").arg(failing));
        else
            EXPECT_TRUE(messages.shown().front().startsWith(
                QStringLiteral("Could not save \"%1\": ").arg(failing)))
                << messages.shown().front().toStdString();

        const Snapshot now = folderSnapshot();
        for (int i = 0; i < info().saves.size(); ++i) {
            const QString& name = info().saves[i];
            if (i == c.step && c.fault == Fault::FolderInThePlace) {
                EXPECT_TRUE(QFileInfo(name).isDir());
                continue;
            }
            if (stopsAtRead) {
                EXPECT_TRUE(now.contains(name)
                                ? (before.contains(name) && now.at(name) == before.at(name)) ||
                                      (after.contains(name) && now.at(name) == after.at(name))
                                : !before.contains(name) || !after.contains(name))
                    << name.toStdString();
                continue;
            }
            const Snapshot& expected = i < c.step ? after : before;
            EXPECT_EQ(now.contains(name), expected.contains(name)) << name.toStdString();
            if (now.contains(name) && expected.contains(name)) {
                EXPECT_EQ(now.at(name), expected.at(name)) << name.toStdString();
            }
        }
        // No other file changed, and no half-written temporary file is left.
        for (const auto& [name, bytes] : now) {
            if (!info().saves.contains(name)) {
                EXPECT_TRUE((before.contains(name) && bytes == before.at(name)) ||
                            (after.contains(name) && bytes == after.at(name)))
                    << name.toStdString();
            }
        }
        if (c.fault == Fault::FolderInThePlace) {
            ASSERT_TRUE(QDir().rmdir(failing));
        }
    }

    messages.clear();
    next();
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    expectFilesReadBackAsShown();
}

INSTANTIATE_TEST_SUITE_P(EverySave, FailedSave, testing::ValuesIn(allCases()), caseName);

} // namespace
