#include "ui/kit/dialog_frame.h"

#include "core/platform/help.h"
#include "core/platform/messages.h"
#include "ui/kit/screen_centre.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>

#include <iterator>

DialogFrame::DialogFrame(Ui& ui, const QString& objectName, std::optional<int> helpTopic,
                         QWidget* parent)
    : QDialog(parent), m_ui(ui), m_helpTopic(helpTopic)
{
    setObjectName(objectName);
    setModal(true);
}

void DialogFrame::addButtons(const char* okName, const QRect& okPlace, const char* cancelName,
                             const QRect& cancelPlace, std::function<void()> onOk)
{
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QString::fromLatin1(okName));
    m_okButton->setGeometry(okPlace);
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QString::fromLatin1(cancelName));
    m_cancelButton->setGeometry(cancelPlace);

    connect(m_okButton, &QPushButton::clicked, this, std::move(onOk));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogFrame::setTabChain(std::initializer_list<QWidget*> order)
{
    for (auto next = std::next(order.begin()); next != order.end(); ++next)
        setTabOrder(*std::prev(next), *next);
}

bool DialogFrame::refused(const FormCheck& check)
{
    if (check.accepted())
        return false;
    showMessage(check.message);
    if (!check.focus.isEmpty())
        if (auto* box = findChild<QWidget*>(check.focus))
            box->setFocus();
    return true;
}

void DialogFrame::finish(const std::function<void()>& post)
{
    handle(m_ui, post);
    accept();
}

void DialogFrame::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOnScreen(this);
        opened();
    }
    QDialog::showEvent(event);
}

void DialogFrame::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && m_helpTopic) {
        showHelp(*m_helpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}
