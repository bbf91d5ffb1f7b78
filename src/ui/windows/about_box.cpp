#include "ui/windows/about_box.h"

#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/screen_centre.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace {

// The panel's frame: a lowered outer bevel around a raised inner one.
class BevelPanel : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, const QFont& font)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    l->move(at);
    l->adjustSize();
    return l;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(programIcon());
    const QString family = QStringLiteral("MS Sans Serif");
    setFont(designFont(family, 11));
    setFixedSize(373, 219);
    setBackground(this, Qt::black);

    auto* panel = new BevelPanel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(10, 9, 351, 161);
    setBackground(panel, designColour(14213352));
    setTextColour(panel, Qt::black);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 65, 57);
    icon->setScaledContents(true);
    icon->setPixmap(programLogo(icon->size()));

    auto* name = label(panel, "ProductName", QStringLiteral("Quillfen Pursewise"), QPoint(88, 16),
                       designFont(family, 19, true));
    setTextColour(name, QColor(128, 128, 128));
    label(panel, "Version", QStringLiteral("Version: 2"), QPoint(88, 40), designFont(family, 13));
    label(panel, "Copyright", QStringLiteral("Copyright \u00A9 2026 Quillfen Software"),
          QPoint(83, 80), designFont(family, 13));
    label(panel, "Label2", QStringLiteral("Updates copyright \u00A9 2026 Quillfen Software"),
          QPoint(22, 97), designFont(family, 13));
    auto* web = label(panel, "Label1", QStringLiteral("www.quillfen.example"), QPoint(90, 112),
                      designFont(family, 13, true));
    setTextColour(web, QColor(0, 128, 128));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(146, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOnScreen(this);
    QDialog::setVisible(visible);
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    // Only "OK", Enter and the close box close the box: Escape does not, and
    // F1 asks for no help.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
