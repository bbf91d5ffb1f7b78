#pragma once

#include "core/program/dialog_form.h"
#include "ui/kit/ui.h"

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <optional>

class QPushButton;

// What the card dialog, the entry dialog and the year chooser share: shown
// modally and centred on the screen, a fresh opening on every showing by the
// program, OK the default button, Cancel, the cancel key and the close box
// closing with nothing changed, and OK's end: a refused check shows its
// message and keeps the dialog open; an accepted one runs the posting under
// the message guard and closes. What the boxes hold is each dialog's own.
class DialogFrame : public QDialog
{
    Q_OBJECT

public:
    // F1 anywhere in the dialog asks for `helpTopic`; without one F1 does
    // nothing.
    DialogFrame(Ui& ui, const QString& objectName, std::optional<int> helpTopic,
                QWidget* parent = nullptr);

protected:
    // Runs on every showing the program asks for, after the dialog is
    // centred: the dialog fills its boxes afresh here. The window system
    // showing it again (after a minimise) is no new opening.
    virtual void opened() {}

    // OK and Cancel, with their design names and places. OK is the default
    // button, so Enter in a box runs `onOk`; Cancel closes with nothing done.
    void addButtons(const char* okName, const QRect& okPlace, const char* cancelName,
                    const QRect& cancelPlace, std::function<void()> onOk);

    // The tab key's way through the controls, in this order.
    static void setTabChain(std::initializer_list<QWidget*> order);

    // Whether OK's `check` refused. A refusal shows its message and puts the
    // focus on the box it names, if it names one; the dialog stays open.
    bool refused(const FormCheck& check);

    // OK after every check passed: `post` runs under the message guard while
    // the dialog is still up, so the windows behind it show the change as
    // soon as it closes; then the dialog closes with OK.
    void finish(const std::function<void()>& post);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    Ui& m_ui;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

private:
    std::optional<int> m_helpTopic;
};
