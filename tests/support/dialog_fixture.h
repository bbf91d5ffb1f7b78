#pragma once

#include "core/platform/help.h"
#include "support/windows_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <vector>

// Dates in GoogleTest's failure messages as 2027-10-31.
inline void PrintTo(const QDate& date, std::ostream* os)
{
    *os << date.toString(Qt::ISODate).toStdString();
}

// The real windows over a program state in an empty data folder, on 8
// December 2026 with short dates as M/d/yy; every message and every request
// for help is recorded.
class DialogWindows : public RealWindows
{
protected:
    void SetUp() override
    {
        m_previousHelp = setHelpSink([this](int topic) { helpTopics.push_back(topic); });
        RealWindows::SetUp();
    }

    void TearDown() override
    {
        RealWindows::TearDown();
        setHelpSink(m_previousHelp);
    }

    Pursewise& p() { return m_state; }
    Ui& ui() { return m_windows->ui(); }

    template <typename T = QWidget>
    static T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Shows a dialog as exec() would, without entering its loop, and makes it
    // the active window so that keys and focus behave as for a person.
    static void showActive(QWidget* dialog)
    {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    }

    // The design name of the control that has the focus in `window` (or gets
    // it when the window becomes active): the focused widget or the nearest
    // of its parents that carries a name (a date picker's inner text box is
    // the picker).
    static QString focusName(QWidget* window)
    {
        for (QWidget* w = window->focusWidget(); w; w = w->parentWidget())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
                return w->objectName();
        return QString();
    }

    // The names the focus visits from `first` on, pressing Tab `presses` times.
    static QStringList tabOrder(QWidget* first, int presses)
    {
        QWidget* window = first->window();
        first->setFocus(Qt::TabFocusReason);
        QStringList names{focusName(window)};
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
            names << focusName(window);
        }
        return names;
    }

    // The named controls that take the focus by Tab, in the window's focus
    // chain from `first` on.
    static QStringList focusChain(QWidget* first, const QStringList& names)
    {
        QStringList chain;
        QWidget* w = first;
        do {
            if (names.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus))
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        return chain;
    }

    // Runs `check` while `dialog` sits in exec(), then cancels it; returns
    // what exec() returned.
    template <typename Check>
    static int whileInExec(QDialog* dialog, Check check)
    {
        QTimer::singleShot(0, dialog, [dialog, check] {
            check();
            dialog->reject();
        });
        return dialog->exec();
    }

    // A card with limit 900.00 open in the register.
    void openCard()
    {
        p().tc.AddCard(sampleCard(QStringLiteral("Visa")));
        p().sg1.setCurrentRow(1);
        p().cardList.SelectFromGrid();
        p().tc.OpenCard();
        ui().refresh();
        ASSERT_TRUE(p().reg.shown);
    }

    std::vector<int> helpTopics;

private:
    HelpSink m_previousHelp;
};
