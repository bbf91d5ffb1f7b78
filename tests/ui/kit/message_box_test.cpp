#include "ui/kit/message_box.h"
#include "core/platform/messages.h"
#include "support/message_recorder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(Messages, GoThroughTheInstalledSink)
{
    MessageRecorder recorder;
    showMessage(QStringLiteral("Invalid entry for charge."));
    EXPECT_EQ(recorder.shown(), QStringList{QStringLiteral("Invalid entry for charge.")});
}

TEST(Messages, TheGuardShowsAUserErrorAndStopsTheHandlerThere)
{
    MessageRecorder recorder;
    QStringList steps;
    guarded([&] {
        steps << QStringLiteral("saved summary.dat");
        throw UserError("Could not save \"CardList.dat\": No space left on device");
        steps << QStringLiteral("saved CardList.dat");
    });
    EXPECT_EQ(steps, QStringList{QStringLiteral("saved summary.dat")});
    EXPECT_EQ(recorder.shown(), QStringList{QStringLiteral(
                                    "Could not save \"CardList.dat\": No space left on device")});
}

TEST(Messages, TheGuardLetsOtherExceptionsThrough)
{
    MessageRecorder recorder;
    EXPECT_THROW(guarded([] { throw std::logic_error("bug"); }), std::logic_error);
    EXPECT_TRUE(recorder.shown().isEmpty());
}

TEST(Messages, TheMessageBoxIsPlainWithOneOkTitledWithTheProgramName)
{
    const MessageSink previous = setMessageSink(nullptr);
    installMessageBox();
    QString title;
    QString text;
    int buttons = -1;
    bool hasIcon = true;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = int(box->buttons().size());
        hasIcon = box->icon() != QMessageBox::NoIcon;
        box->button(QMessageBox::Ok)->click();
    });
    showMessage(QStringLiteral("Grid index out of range"));
    setMessageSink(previous);
    EXPECT_EQ(title, QStringLiteral("Quillfen Pursewise"));
    EXPECT_EQ(text, QStringLiteral("Grid index out of range"));
    EXPECT_EQ(buttons, 1);
    EXPECT_FALSE(hasIcon);
}

} // namespace
