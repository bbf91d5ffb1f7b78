#include "ui/kit/info_window.h"

#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/screen_centre.h"

#include <QKeyEvent>
#include <QLabel>

InfoWindow::InfoWindow(const QString& name, const QString& title, const QColor& background,
                       Escape escape, Qt::WindowFlags flags, QWidget* parent)
    : QDialog(parent, flags), m_escape(escape)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowIcon(programIcon());
    setBackground(this, background);
}

QLabel* InfoWindow::label(QWidget* parent, const char* name, const QString& text, const QFont& font)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    return l;
}

void InfoWindow::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOnScreen(this);
    QDialog::setVisible(visible);
}

void InfoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_escape == Escape::Closes) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
