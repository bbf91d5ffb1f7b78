#include "core/platform/help.h"
#include "support/windows_fixture.h"
#include "ui/kit/message_box.h"
#include "ui/kit/pictures.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// The real windows over a program state in an empty data folder.
class Windows : public RealWindows
{
protected:
    QWidget* window(const char* name) { return m_windows->window(QString::fromLatin1(name)); }

    template <typename T>
    T* control(const char* windowName, const char* name)
    {
        return window(windowName)->findChild<T*>(QString::fromLatin1(name));
    }
};

TEST_F(Windows, AreMadeOnceHiddenWithTheirNamesAndCaptions)
{
    const std::pair<const char*, const char*> windows[] = {
        {"Main", "Quillfen Pursewise."},
        {"Form1", "Quillfen Pursewise"},
        {"AddOrEditCard", nullptr},
        {"MakeOrEditEntry", nullptr},
        {"ChangeYrForm", "                Select year to view."},
        {"AboutBox", "About"},
        {"pursepri", "Quillfen Pursewise"},
        {"te", "Quillfen Pursewise"}};
    for (const auto& [name, caption] : windows) {
        QWidget* w = window(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_FALSE(w->isVisible()) << name;
        if (caption) {
            EXPECT_EQ(w->windowTitle(), QString::fromLatin1(caption)) << name;
        }
    }
}

using Which = ProgramWindows::Window;

TEST_F(Windows, OnlyTheMainWindowIsMadeAtStartTheRestWhenFirstAskedFor)
{
    for (int which = 1; which < ProgramWindows::windowCount; ++which)
        EXPECT_FALSE(m_windows->made(Which(which))) << which;
    ASSERT_TRUE(m_windows->made(Which::Main));

    // A dialog of the register brings its owner window with it.
    QWidget* entry = window("MakeOrEditEntry");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(m_windows->made(Which::Form1));
    EXPECT_EQ(entry->parentWidget(), window("Form1"));
    EXPECT_FALSE(m_windows->made(Which::AddOrEditCard));
    // Asked for again, it is the same window.
    EXPECT_EQ(window("MakeOrEditEntry"), entry);
    EXPECT_EQ(m_windows->window(Which::MakeOrEditEntry), entry);
    EXPECT_EQ(window("NoSuchWindow"), nullptr);
}

TEST_F(Windows, TheRegisterAndItsEntryDialogAreMadeWhenIdleAfterTheFirstPaint)
{
    m_windows->showMain();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_windows->made(Which::MakeOrEditEntry); }, 5000));
    EXPECT_TRUE(m_windows->made(Which::Form1));
    EXPECT_FALSE(window("Form1")->isVisible());
    EXPECT_FALSE(window("MakeOrEditEntry")->isVisible());
    // The rest wait until they are asked for.
    QTest::qWait(50);
    for (const Which other : {Which::AddOrEditCard, Which::ChangeYrForm, Which::AboutBox,
                              Which::Pursepri, Which::Te, Which::Search, Which::BalanceChart})
        EXPECT_FALSE(m_windows->made(other)) << int(other);
}

TEST_F(Windows, ARefreshMakesTheRegisterOnlyWhenTheStateOpensIt)
{
    m_windows->ui().refresh();
    EXPECT_FALSE(m_windows->made(Which::Form1));
    m_state.reg.shown = true;
    m_windows->ui().refresh();
    ASSERT_TRUE(m_windows->made(Which::Form1));
    EXPECT_TRUE(window("Form1")->isVisible());
}

TEST_F(Windows, TheMainWindowShowsTheCardListAndEveryControlByName)
{
    for (const char* name :
         {"ProPanel1", "LMuHelp", "LAbout", "Label3", "Panel1", "Image1",    "Label1",    "Label2",
          "Panel3",    "sg1",     "B1",     "B2",     "B3",     "B4",        "Panel2",    "L1",
          "L2",        "L3",      "E1",     "E2",     "E3",     "CurrentYr", "SelectedYr"})
        EXPECT_NE(control<QWidget>("Main", name), nullptr) << name;
    const auto* sg1 = control<QTableView>("Main", "sg1");
    EXPECT_EQ(sg1->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Card Name"));
    EXPECT_EQ(sg1->model()->rowCount(), 24);
    EXPECT_EQ(control<QLineEdit>("Main", "CurrentYr")->text(), QStringLiteral("26"));
    EXPECT_FALSE(control<QLineEdit>("Main", "CurrentYr")->isVisibleTo(window("Main")));
}

TEST_F(Windows, TheShownMainWindowsLogoIsDrawnAtItsPicturesSize)
{
    m_windows->showMain();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window("Main")));
    const auto* image = control<QLabel>("Main", "Image1");
    const QPixmap logo = image->pixmap();
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), image->size());
    EXPECT_EQ(logo.toImage(), programLogo(image->size()).toImage());
}

TEST_F(Windows, TheStartHintShowsWhenTheMainWindowBecomesActive)
{
    m_windows->showMain();
    QTest::qWait(50);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window("Main")));
    EXPECT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown().value(0).startsWith(u"Hint: To begin using Pursewise"));
}

TEST_F(Windows, ClosingTheHintsMessageBoxDoesNotBringTheHintBack)
{
    const MessageSink recorder = setMessageSink(nullptr);
    installMessageBox();
    int boxes = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            box->accept();
        }
    });
    closer.start(20);
    m_windows->showMain();
    QTest::qWait(400);
    closer.stop();
    setMessageSink(recorder);
    EXPECT_EQ(boxes, 1);
}

TEST_F(Windows, ComingBackToTheMainWindowFromAnotherWindowShowsTheHintAgain)
{
    m_windows->showMain();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window("Main")));
    QWidget* about = window("AboutBox");
    QTimer::singleShot(50, about, [about] { static_cast<QDialog*>(about)->reject(); });
    static_cast<QDialog*>(about)->exec();
    // The window manager gives the activation back to the main window.
    window("Main")->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window("Main")));
    EXPECT_EQ(messages.shown().size(), 2);
}

TEST_F(Windows, F1InTheMainWindowAsksForTopicOne)
{
    int topic = 0;
    const HelpSink previous = setHelpSink([&](int t) { topic = t; });
    m_windows->showMain();
    QTest::keyClick(window("Main"), Qt::Key_F1);
    setHelpSink(previous);
    EXPECT_EQ(topic, 1);
}

} // namespace
