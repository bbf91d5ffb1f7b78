#include "ui/windows/help_viewer.h"
#include "ui/windows/program_windows.h"
#include "core/platform/clock.h"
#include "core/platform/help.h"
#include "core/platform/help_file.h"
#include "core/platform/short_date.h"
#include "support/fixed_day.h"
#include "support/message_recorder.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// The guide installed as Pursewise.hlp in a temporary folder, and a viewer on it.
class HelpWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(HelpFile::fileName);
        ASSERT_TRUE(QFile::copy(QStringLiteral(PURSEWISE_HELP_SOURCE), m_path));
        m_viewer = std::make_unique<HelpViewer>(m_path);
    }

    HelpViewer& viewer() { return *m_viewer; }
    QTextBrowser& browser() { return *m_viewer->browser(); }
    QScrollBar& scrollBar() { return *browser().verticalScrollBar(); }

    // Where the anchor's paragraph lies in the document, in pixels from the top.
    QRectF anchorRect(const QString& anchor)
    {
        QTextDocument* document = browser().document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorNames().contains(anchor))
                    return document->documentLayout()->blockBoundingRect(block);
        ADD_FAILURE() << "no anchor " << anchor.toStdString() << " in the shown document";
        return {};
    }

    // The anchor's paragraph is in the visible part of the browser, at its top
    // unless the page cannot scroll that far.
    void expectShownAt(const QString& anchor)
    {
        const QRectF rect = anchorRect(anchor);
        const int top = scrollBar().value();
        const int height = browser().viewport()->height();
        EXPECT_LT(rect.top(), top + height) << anchor.toStdString();
        EXPECT_GT(rect.bottom(), top) << anchor.toStdString();
        if (scrollBar().value() < scrollBar().maximum()) {
            EXPECT_NEAR(rect.top(), top, rect.height()) << anchor.toStdString();
        }
    }

    int visibleHelpWindows() const
    {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == u"HelpViewer" && widget->isVisible())
                ++count;
        return count;
    }

    MessageRecorder messages;
    QString m_path;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<HelpViewer> m_viewer;
};

class HelpWindowTopic : public HelpWindow, public testing::WithParamInterface<int>
{};

TEST_P(HelpWindowTopic, OpensTheGuideAtTheTopicsAnchor)
{
    const int topic = GetParam();
    viewer().showTopic(topic);

    ASSERT_TRUE(viewer().isVisible());
    EXPECT_FALSE(viewer().isModal());
    EXPECT_EQ(viewer().windowTitle(), QStringLiteral("Quillfen Pursewise Help"));
    EXPECT_EQ(browser().source().toLocalFile(), m_path);
    EXPECT_EQ(browser().source().fragment(), HelpFile::anchorOf(topic));
    expectShownAt(HelpFile::anchorOf(topic));
    if (topic != 1) {
        EXPECT_GT(scrollBar().value(), 0);
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(TheTopicsOfTheWindows, HelpWindowTopic, testing::Values(1, 5, 6),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Topic" + std::to_string(info.param);
                         });

TEST_F(HelpWindow, ShowsTheGuideWithItsTitleAndButtons)
{
    viewer().showTopic(1);
    const QString text = browser().toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Quillfen Pursewise")))
        << text.left(40).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Toggle X")));
    EXPECT_EQ(browser().documentTitle(), QStringLiteral("Quillfen Pursewise Help"));
}

TEST_F(HelpWindow, AnotherTopicIsShownInTheSameWindow)
{
    viewer().showTopic(1);
    viewer().showTopic(6);
    viewer().showTopic(5);

    EXPECT_EQ(visibleHelpWindows(), 1);
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic5"));
    expectShownAt(QStringLiteral("topic5"));
}

TEST_F(HelpWindow, AskingAgainAfterScrollingAwayReturnsToTheTopic)
{
    viewer().showTopic(6);
    scrollBar().setValue(scrollBar().maximum());
    viewer().showTopic(6);
    expectShownAt(QStringLiteral("topic6"));
}

TEST_F(HelpWindow, AClosedWindowOpensAgainAtTheTopic)
{
    viewer().showTopic(5);
    viewer().close();
    ASSERT_FALSE(viewer().isVisible());

    viewer().showTopic(6);
    EXPECT_TRUE(viewer().isVisible());
    expectShownAt(QStringLiteral("topic6"));
}

TEST_F(HelpWindow, ATopicTheGuideDoesNotHaveOpensAtItsStart)
{
    viewer().showTopic(2);
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic1"));
    expectShownAt(QStringLiteral("topic1"));
}

TEST_F(HelpWindow, EscapeClosesIt)
{
    viewer().showTopic(1);
    QTest::keyClick(&browser(), Qt::Key_Escape);
    EXPECT_FALSE(viewer().isVisible());
}

TEST_F(HelpWindow, ALinkInTheGuideLeadsToItsSection)
{
    viewer().showTopic(1);
    browser().setSource(QUrl(QStringLiteral("#topic6")));
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic6"));
    expectShownAt(QStringLiteral("topic6"));
    browser().backward();
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic1"));
}

TEST_F(HelpWindow, ShowHelpOpensTheInstalledViewer)
{
    const HelpSink previous = setHelpSink(nullptr);
    installHelpViewer(viewer());
    showHelp(5);
    setHelpSink(previous);

    EXPECT_TRUE(viewer().isVisible());
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic5"));
}

TEST(HelpWindowMadeWhenAsked, IsMadeAtTheFirstRequestAndKeptForTheNext)
{
    std::unique_ptr<HelpViewer> viewer;
    const HelpSink previous = setHelpSink(nullptr);
    installHelpViewer(QStringLiteral(PURSEWISE_HELP_SOURCE), viewer);
    EXPECT_EQ(viewer, nullptr);

    showHelp(5);
    ASSERT_NE(viewer, nullptr);
    const HelpViewer* first = viewer.get();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->browser()->source().fragment(), QStringLiteral("topic5"));
    showHelp(6);
    setHelpSink(previous);
    EXPECT_EQ(viewer.get(), first);
    EXPECT_EQ(viewer->browser()->source().fragment(), QStringLiteral("topic6"));
}

TEST(HelpWindowWithoutItsFile, SaysTheFileIsMissingAndOpensNoWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("share/pursewise/Pursewise.hlp"));
    MessageRecorder messages;
    HelpViewer viewer(missing);

    viewer.showTopic(1);
    viewer.showTopic(5);

    EXPECT_FALSE(viewer.isVisible());
    const QString message = QStringLiteral("The help file \"%1\" could not be found.").arg(missing);
    EXPECT_EQ(messages.shown(), (QStringList{message, message}));
}

TEST(HelpWindowWithoutItsFile, OpensOnceTheFileHasAppeared)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(HelpFile::fileName);
    MessageRecorder messages;
    HelpViewer viewer(path);
    viewer.showTopic(1);
    ASSERT_EQ(messages.shown().size(), 1);

    ASSERT_TRUE(QFile::copy(QStringLiteral(PURSEWISE_HELP_SOURCE), path));
    viewer.showTopic(6);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.browser()->source().fragment(), QStringLiteral("topic6"));
    EXPECT_EQ(messages.shown().size(), 1);
}

// Records whether input to a window is blocked by a modal dialog.
class BlockedWatch : public QObject
{
public:
    explicit BlockedWatch(QWidget* window) { window->installEventFilter(this); }
    bool blocked = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            blocked = true;
        else if (event->type() == QEvent::WindowUnblocked)
            blocked = false;
        return QObject::eventFilter(watched, event);
    }
};

// F1 in the card or entry dialog asks for help while that dialog is modal.
TEST_F(HelpWindow, StaysUsableWhenAskedForFromAModalDialog)
{
    BlockedWatch watch(&viewer());
    bool askedWhileModal = false;
    bool blockedWhileModal = true;
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        askedWhileModal = QApplication::activeModalWidget() == &dialog;
        viewer().showTopic(5);
        QTimer::singleShot(0, &dialog, [&] {
            blockedWhileModal = watch.blocked;
            dialog.accept();
        });
    });
    dialog.exec();

    EXPECT_TRUE(askedWhileModal);
    EXPECT_FALSE(blockedWhileModal);
    EXPECT_TRUE(viewer().isVisible());
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic5"));
    // Once the dialog has closed, the help window belongs to no other window.
    ASSERT_NE(viewer().windowHandle(), nullptr);
    EXPECT_EQ(viewer().windowHandle()->transientParent(), nullptr);
}

TEST_F(HelpWindow, OpenBeforeAModalDialogBecomesUsableWhenAskedForFromIt)
{
    viewer().showTopic(1);
    BlockedWatch watch(&viewer());
    bool blockedBeforeAsking = false;
    bool blockedAfterAsking = true;
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        blockedBeforeAsking = watch.blocked;
        viewer().showTopic(6);
        QTimer::singleShot(0, &dialog, [&] {
            blockedAfterAsking = watch.blocked;
            dialog.accept();
        });
    });
    dialog.exec();

    EXPECT_TRUE(blockedBeforeAsking);
    EXPECT_FALSE(blockedAfterAsking);
    EXPECT_EQ(browser().source().fragment(), QStringLiteral("topic6"));
}

// The program's own windows in an empty data folder, with the viewer installed
// as main() installs it.
class HelpFromTheProgram : public OnTheFixedDay
{
protected:
    void SetUp() override
    {
        OnTheFixedDay::SetUp();
        const QString path = QDir::current().filePath(HelpFile::fileName);
        ASSERT_TRUE(QFile::copy(QStringLiteral(PURSEWISE_HELP_SOURCE), path));
        m_viewer = std::make_unique<HelpViewer>(path);
        m_previous = setHelpSink(nullptr);
        installHelpViewer(*m_viewer);
        m_windows = std::make_unique<ProgramWindows>(m_state);
    }

    void TearDown() override
    {
        m_windows.reset();
        setHelpSink(m_previous);
        m_viewer.reset();
        OnTheFixedDay::TearDown();
    }

    HelpViewer& viewer() { return *m_viewer; }
    QWidget* window(const char* name) { return m_windows->window(QString::fromLatin1(name)); }

    MessageRecorder messages;

private:
    Pursewise m_state;
    HelpSink m_previous;
    std::unique_ptr<HelpViewer> m_viewer;
    std::unique_ptr<ProgramWindows> m_windows;
};

TEST_F(HelpFromTheProgram, F1InTheMainWindowOpensTheGuideAtTopicOne)
{
    QTest::keyClick(window("Main"), Qt::Key_F1);
    EXPECT_TRUE(viewer().isVisible());
    EXPECT_EQ(viewer().browser()->source().fragment(), QStringLiteral("topic1"));
}

TEST_F(HelpFromTheProgram, F1InTheCardDialogOpensTheGuideAtTopicFiveUsableBesideIt)
{
    BlockedWatch watch(&viewer());
    QString fragment;
    bool shown = false;
    bool blocked = true;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_EQ(dialog, window("AddOrEditCard"));
        QTest::keyClick(dialog, Qt::Key_F1);
        QTimer::singleShot(0, [&, dialog] {
            shown = viewer().isVisible();
            fragment = viewer().browser()->source().fragment();
            blocked = watch.blocked;
            dialog->close();
        });
    });
    window("Main")->findChild<QPushButton*>(QStringLiteral("B2"))->click();

    EXPECT_TRUE(shown);
    EXPECT_EQ(fragment, QStringLiteral("topic5"));
    EXPECT_FALSE(blocked);
}

} // namespace
