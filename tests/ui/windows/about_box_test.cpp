#include "ui/windows/about_box.h"
#include "core/platform/help.h"
#include "support/qt_printing.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class AboutBox : public testing::Test
{
protected:
    template <typename T>
    T* control(const char* name)
    {
        return box.findChild<T*>(QString::fromLatin1(name));
    }

    // Runs the box modally and does `act` once it shows; the box's result.
    int execAnd(const std::function<void()>& act)
    {
        QTimer::singleShot(50, &box, act);
        // Whatever `act` did, the box is gone after a while.
        QTimer::singleShot(1500, &box, [this] { box.done(-1); });
        return box.exec();
    }

    TAboutBox box;
};

TEST_F(AboutBox, IsAFixedBlackDialogOf373By219CaptionedAbout)
{
    EXPECT_EQ(box.objectName(), QStringLiteral("AboutBox"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(box.size(), QSize(373, 219));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(AboutBox, PlacesEveryControlOfItsDesign)
{
    const auto* panel = control<QWidget>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(10, 9, 351, 161));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0xE8, 0xE0, 0xD8));
    const auto* icon = control<QLabel>("ProgramIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->parentWidget(), panel);
    EXPECT_EQ(icon->geometry(), QRect(8, 8, 65, 57));
    EXPECT_TRUE(icon->hasScaledContents());
    EXPECT_FALSE(icon->pixmap().isNull());

    const std::tuple<const char*, QPoint, int> labels[] = {{"ProductName", {88, 16}, 19},
                                                           {"Version", {88, 40}, 13},
                                                           {"Copyright", {83, 80}, 13},
                                                           {"Label2", {22, 97}, 13},
                                                           {"Label1", {90, 112}, 13}};
    for (const auto& [name, at, pixels] : labels) {
        const auto* label = control<QLabel>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->parentWidget(), panel) << name;
        EXPECT_EQ(label->pos(), at) << name;
        EXPECT_EQ(label->font().pixelSize(), pixels) << name;
        EXPECT_FALSE(label->text().isEmpty()) << name;
        EXPECT_TRUE(panel->rect().contains(label->geometry())) << name;
    }

    const auto* ok = control<QPushButton>("OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(146, 180, 75, 25));
    EXPECT_TRUE(ok->isDefault());
}

TEST_F(AboutBox, NamesTheProgramAndItsVersionInTheirLooks)
{
    const auto* name = control<QLabel>("ProductName");
    EXPECT_EQ(name->text(), QStringLiteral("Quillfen Pursewise"));
    EXPECT_TRUE(name->font().bold());
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(control<QLabel>("Version")->text(), QStringLiteral("Version: 2"));
    EXPECT_TRUE(control<QLabel>("Copyright")->text().startsWith(u"Copyright"));
    EXPECT_TRUE(control<QLabel>("Label2")->text().contains(u"copyright"));
    const auto* web = control<QLabel>("Label1");
    EXPECT_TRUE(web->text().endsWith(u".example"));
    EXPECT_TRUE(web->font().bold());
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 128, 128));
}

TEST_F(AboutBox, OkClosesItWithTheResultOk)
{
    EXPECT_EQ(execAnd([this] { control<QPushButton>("OKButton")->click(); }), QDialog::Accepted);
}

TEST_F(AboutBox, EnterPressesOk)
{
    EXPECT_EQ(execAnd([this] { QTest::keyClick(&box, Qt::Key_Return); }), QDialog::Accepted);
}

TEST_F(AboutBox, TheCloseBoxClosesIt)
{
    execAnd([this] { box.close(); });
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
}

TEST_F(AboutBox, EscapeDoesNotCloseIt)
{
    EXPECT_EQ(execAnd([this] { QTest::keyClick(&box, Qt::Key_Escape); }), -1);
}

TEST_F(AboutBox, F1AsksForNoHelp)
{
    int topic = 0;
    const HelpSink previous = setHelpSink([&](int t) { topic = t; });
    execAnd([this] { QTest::keyClick(&box, Qt::Key_F1); });
    setHelpSink(previous);
    EXPECT_EQ(topic, 0);
}

TEST_F(AboutBox, OpensInTheMiddleOfTheScreen)
{
    execAnd([this] {
        const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
        // Placed before the window manager's frame is known: off by its halves at most.
        EXPECT_LE((box.frameGeometry().center() - middle).manhattanLength(), 16);
        box.accept();
    });
}

} // namespace
