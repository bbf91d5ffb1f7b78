#include "support/sample_card.h"
#include "support/windows_fixture.h"
#include "ui/windows/register_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

class SearchWindow : public RealWindows
{
protected:
    QWidget* window(const char* name) { return m_windows->window(QString::fromLatin1(name)); }

    template <typename T>
    T* control(const char* name)
    {
        return window("Search")->findChild<T*>(QString::fromLatin1(name));
    }

    void find(const QString& text)
    {
        control<QLineEdit>("SText")->setText(text);
        control<QPushButton>("BFind")->click();
    }
};

TEST_F(SearchWindow, IsMadeHiddenWithEveryControlByName)
{
    QWidget* search = window("Search");
    ASSERT_NE(search, nullptr);
    EXPECT_FALSE(search->isVisible());
    EXPECT_EQ(search->windowTitle(), QStringLiteral("Search"));
    for (const char* name :
         {"SText", "SAmount", "SFrom", "STo", "BFind", "Results", "LCount", "LNote", "Close"})
        EXPECT_NE(control<QWidget>(name), nullptr) << name;
    EXPECT_EQ(control<QLineEdit>("SFrom")->text(), QString());
    EXPECT_EQ(control<QLineEdit>("STo")->text(), QString());
}

TEST_F(SearchWindow, OpensFromTheMainWindowsMenuWordAndCtrlF)
{
    auto* word = window("Main")->findChild<QLabel*>(QStringLiteral("LSearch"));
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(word->text(), QStringLiteral(" Search "));
    m_windows->showMain();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window("Main")));
    // Laid out at its first showing: the word follows the verses' word.
    auto* verses = window("Main")->findChild<QLabel*>(QStringLiteral("Label3"));
    EXPECT_GE(word->x(), verses->x() + verses->width());
    messages.clear();
    QTest::keyClick(window("Main"), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(window("Search")->isVisible());
    window("Search")->close();
    EXPECT_FALSE(window("Search")->isVisible());
    QTest::mouseClick(word, Qt::LeftButton, {}, word->rect().center());
    EXPECT_TRUE(window("Search")->isVisible());
}

TEST_F(SearchWindow, ListsWhatItFoundAndADoubleClickOpensIt)
{
    m_state.tc.AddCard(
        sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00"), QStringLiteral("25.00")));
    m_state.reg.shown = false;
    m_windows->ui().refresh();
    window("Search")->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window("Search")));
    find(QStringLiteral("opening"));
    EXPECT_EQ(control<QLabel>("LCount")->text(), QStringLiteral("1 entry found"));
    auto* results = control<QTableView>("Results");
    ASSERT_EQ(results->model()->rowCount(), 1);
    EXPECT_EQ(results->model()->index(0, 3).data().toString(), QStringLiteral("Opening Bal"));
    EXPECT_EQ(results->model()->index(0, 4).data().toString(), QStringLiteral("25.00"));

    const QRect cell = results->visualRect(results->model()->index(0, 0));
    ASSERT_FALSE(cell.isEmpty());
    // A person's double-click: the first click, then the second.
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_TRUE(m_state.reg.shown);
    EXPECT_TRUE(window("Form1")->isVisible());
    EXPECT_EQ(m_state.reg.L7, QStringLiteral("Visa"));
    EXPECT_EQ(m_state.ledger.currentRow(), 1);

    find(QStringLiteral("no such thing"));
    EXPECT_EQ(control<QLabel>("LCount")->text(), QStringLiteral("No entries found."));
    EXPECT_EQ(results->model()->rowCount(), 0);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
}

} // namespace
