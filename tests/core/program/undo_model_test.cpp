#include "core/platform/data_file.h"
#include "core/platform/messages.h"
#include "core/program/card_form.h"
#include "core/program/undo_commands.h"
#include "support/program_fixture.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <optional>
#include <random>
#include <set>

// Random user actions with Undo and Redo among them, each checked against a
// plain model of the data folder: the list of folder states the actions left,
// and where in that list the user stands. An action that changed files cuts
// the list after the current state and adds the new one; Undo steps back one
// state, Redo forward one, and the folder must then hold exactly that state's
// bytes. A file edited by hand ends the list at the state that holds the
// edit. After every step the program shows what a fresh start on the same
// files would show.
namespace {

using Folder = std::map<QString, QByteArray>;

// The data files, without the lock and the day's backup folder.
Folder dataFiles()
{
    Folder files;
    for (auto& [name, bytes] : folderSnapshot())
        if (name.endsWith(QStringLiteral(".dat")))
            files[name] = bytes;
    return files;
}

struct Seed
{
    const char* label;
    unsigned seed;
    int steps;
};

class UndoModel : public ProgramTest, public testing::WithParamInterface<Seed>
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // Thousands of saves: in memory where the system offers it.
        useMemoryFolder();
        restart();
        m_undo = std::make_unique<UndoCommands>(p());
        m_states = {dataFiles()};
    }

    void TearDown() override
    {
        m_undo.reset();
        ProgramTest::TearDown();
    }

    int draw(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return draw(1, 100) <= percent; }

    // One user action under the guard, as a window handler runs it.
    template <typename Action>
    void user(Action&& action)
    {
        guarded(std::forward<Action>(action));
    }

    // The model after an action that is no undo or redo.
    void recordAction()
    {
        const Folder now = dataFiles();
        if (now == m_states[m_at])
            return;
        m_states.resize(m_at + 1);
        m_states.push_back(now);
        ++m_at;
    }

    // The model after opening a card, which may bring files up to date (a
    // stale year's balances, this year added to the year list) without a
    // step of its own: each changed file takes its new bytes in the current
    // state and in the states around it back to the step before that last
    // wrote the file and on to the next step that writes it, as those states
    // held the same bytes of it.
    void recordUpkeep()
    {
        const Folder now = dataFiles();
        std::set<QString> names;
        for (const auto& [name, bytes] : now)
            names.insert(name);
        for (const auto& [name, bytes] : m_states[m_at])
            names.insert(name);
        for (const QString& name : names) {
            const auto old = bytesIn(m_states[m_at], name);
            const auto fresh = bytesIn(now, name);
            if (old == fresh)
                continue;
            setBytes(m_states[m_at], name, fresh);
            for (std::size_t j = m_at; j > 0 && bytesIn(m_states[j - 1], name) == old; --j)
                setBytes(m_states[j - 1], name, fresh);
            for (std::size_t j = m_at + 1; j < m_states.size() && bytesIn(m_states[j], name) == old;
                 ++j)
                setBytes(m_states[j], name, fresh);
        }
    }

    static std::optional<QByteArray> bytesIn(const Folder& folder, const QString& name)
    {
        const auto found = folder.find(name);
        return found == folder.end() ? std::nullopt : std::optional<QByteArray>(found->second);
    }

    static void setBytes(Folder& folder, const QString& name, const std::optional<QByteArray>& b)
    {
        if (b)
            folder[name] = *b;
        else
            folder.erase(name);
    }

    int cardCount() { return p().cardList.cardCount(); }

    void openRandomCard()
    {
        clickCard(draw(1, cardCount()));
        user([this] { mainWindow().B1Click(); });
    }

    void randomAction()
    {
        m_lastAction = draw(0, 7);
        switch (m_lastAction) {
        case 0:
            if (cardCount() < 5)
                user([this] {
                    p().tc.AddCard(sampleCard(QStringLiteral("Card %1").arg(++m_names),
                                              QStringLiteral("900.00"),
                                              chance(50) ? QStringLiteral("25.00") : QString()));
                });
            break;
        case 1:
        case 2:
            if (p().reg.shown && registerWindow().bb3Click()) {
                const EntryValues e =
                    entry(QStringLiteral("Entry %1").arg(++m_names),
                          QStringLiteral("%1.%2").arg(draw(1, 300)).arg(draw(10, 99)), chance(30));
                user([&] {
                    if (chance(60))
                        p().tc.AddCharge(e);
                    else
                        p().tc.AddPayment(e);
                });
            }
            break;
        case 3:
            if (p().reg.shown && p().grid.entryCount() > 0) {
                clickEntry(draw(1, p().grid.entryCount()));
                user([this] { registerWindow().bb7Click(); });
            }
            break;
        case 4:
            if (p().reg.shown && p().grid.entryCount() > 0) {
                clickEntry(draw(1, p().grid.entryCount()));
                user([this] { registerWindow().bb5Click(); });
            }
            break;
        case 5:
            if (p().reg.shown) {
                user([this] {
                    CardForm form(p());
                    CardValues values = form.fromRegister();
                    values.rate = QStringLiteral("%1.5").arg(draw(1, 29));
                    values.rateModified = true;
                    // A card whose files were put back by hand may be refused.
                    if (form.check(CardMode::Edit, values).accepted())
                        form.post(CardMode::Edit, values);
                });
            }
            break;
        case 6:
            if (cardCount() > 0) {
                clickCard(draw(1, cardCount()));
                user([this] { mainWindow().B3Click(); });
            }
            break;
        default:
            if (cardCount() > 0)
                openRandomCard();
            messages.clear();
            recordUpkeep();
            return;
        }
        messages.clear();
        recordAction();
    }

    void check(const char* after)
    {
        SCOPED_TRACE(testing::Message()
                     << after << " (the last action of kind " << m_lastAction << ")");
        ASSERT_EQ(dataFiles(), m_states[m_at]) << "at state " << m_at << " of " << m_states.size();
        ASSERT_EQ(p().history.canUndo(), m_at > 0);
        ASSERT_EQ(p().history.canRedo(), m_at + 1 < m_states.size());
        // What the windows show is what a fresh start on the files shows.
        Pursewise fresh;
        fresh.start();
        for (int row = 0; row < fresh.sg1.rowCount(); ++row)
            for (int column = 0; column < fresh.sg1.columnCount(); ++column)
                ASSERT_EQ(p().sg1.cell(column, row), fresh.sg1.cell(column, row))
                    << "card list cell " << column << " " << row;
        ASSERT_EQ(p().main.E1, fresh.main.E1);
        ASSERT_EQ(p().main.E2, fresh.main.E2);
        ASSERT_EQ(p().main.E3, fresh.main.E3);
        if (!p().reg.shown)
            return;
        fresh.cardList.setSelectedKey(p().reg.cardKey);
        guarded([&fresh] { fresh.tc.OpenCard(); });
        ASSERT_EQ(p().reg.E6, fresh.reg.E6);
        ASSERT_EQ(p().reg.E8, fresh.reg.E8);
        ASSERT_EQ(p().reg.E1, fresh.reg.E1);
        ASSERT_EQ(p().grid.entryCount(), fresh.grid.entryCount());
        for (int row = 1; row <= fresh.grid.entryCount(); ++row)
            for (int column = 1; column < 7; ++column)
                ASSERT_EQ(p().ledger.cell(column, row), fresh.ledger.cell(column, row))
                    << "ledger cell " << column << " " << row;
    }

    std::mt19937 m_random;
    std::unique_ptr<UndoCommands> m_undo;
    std::vector<Folder> m_states;
    std::size_t m_at = 0;
    int m_names = 0;
    int m_lastAction = -1;
    int m_undone = 0;
    int m_redone = 0;
};

TEST_P(UndoModel, EveryUndoAndRedoLeavesTheFolderAsTheModelSays)
{
    m_random.seed(GetParam().seed);
    for (int step = 0; step < GetParam().steps; ++step) {
        const int kind = draw(1, 100);
        SCOPED_TRACE(testing::Message() << "step " << step << ", kind " << kind);
        if (kind <= 25) {
            const bool expectChange = m_at > 0;
            user([this] { m_undo->undo(); });
            messages.clear();
            if (expectChange) {
                --m_at;
                ++m_undone;
            }
            check("undo");
        } else if (kind <= 40) {
            const bool expectChange = m_at + 1 < m_states.size();
            user([this] { m_undo->redo(); });
            messages.clear();
            if (expectChange) {
                ++m_at;
                ++m_redone;
            }
            check("redo");
        } else if (kind <= 43 && m_at > 0) {
            // An Undo whose save fails (a full disk) changes nothing, and the
            // step stays to be undone later.
            std::vector<QString> written;
            for (const auto& [name, bytes] : m_states[m_at - 1])
                if (!m_states[m_at].count(name) || m_states[m_at].at(name) != bytes)
                    written.push_back(name);
            if (written.empty())
                continue;
            for (const QString& name : written)
                DataFile::failNextWrite(name, ENOSPC);
            user([this] { m_undo->undo(); });
            for (const QString& name : written)
                DataFile::failNextWrite(name, 0);
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_TRUE(messages.shown().front().endsWith(u": No space left on device"));
            messages.clear();
            check("a failed undo");
        } else if (kind <= 45 && m_at > 0) {
            // A file the next Undo would write back, edited by hand: the
            // history ends and the edit stays.
            std::vector<QString> touched;
            for (const auto& [name, bytes] : m_states[m_at])
                if (!m_states[m_at - 1].count(name) || m_states[m_at - 1].at(name) != bytes)
                    touched.push_back(name);
            if (touched.empty())
                continue;
            const QString name = touched[std::size_t(draw(0, int(touched.size()) - 1))];
            // The user puts the file back by hand to what it held before the
            // step (or deletes it): the files stay readable.
            if (const auto before = bytesIn(m_states[m_at - 1], name)) {
                QFile file(name);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write(*before);
            } else {
                ASSERT_TRUE(QFile::remove(name));
            }
            const Folder edited = dataFiles();
            user([this] { m_undo->undo(); });
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.shown().front(),
                      QStringLiteral("\"%1\" was changed outside Quillfen Pursewise, so the "
                                     "changes before it can no longer be undone. Nothing was "
                                     "overwritten.")
                          .arg(name));
            ASSERT_EQ(dataFiles(), edited);
            EXPECT_FALSE(p().history.canUndo());
            EXPECT_FALSE(p().history.canRedo());
            messages.clear();
            // The user starts the program again on the edited files.
            m_undo.reset();
            restart();
            messages.clear();
            m_undo = std::make_unique<UndoCommands>(p());
            m_states = {dataFiles()};
            m_at = 0;
            check("a hand edit");
        } else {
            randomAction();
            check("an action");
        }
        if (HasFatalFailure())
            return;
    }
    // The run did what it is for: many steps undone and redone.
    EXPECT_GT(m_undone, 100);
    EXPECT_GT(m_redone, 50);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoModel,
                         testing::Values(Seed{"First", 1, 1000}, Seed{"Second", 20261210, 1000},
                                         Seed{"Third", 7, 1000}),
                         [](const auto& test) { return std::string(test.param.label); });

} // namespace
