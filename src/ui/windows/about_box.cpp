#include "ui/windows/about_box.h"

#include "ui/kit/look.h"
#include "ui/kit/pictures.h"

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

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : InfoWindow(QStringLiteral("AboutBox"), QStringLiteral("About"), Qt::black, Escape::Ignored,
                 Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                 parent)
{
    const QString family = QStringLiteral("MS Sans Serif");
    setFont(designFont(family, 11));
    setFixedSize(373, 219);
    // One plain-text line, its size its text's.
    auto line = [](QWidget* panel, const char* name, const QString& text, QPoint at,
                   const QFont& font) {
        QLabel* l = label(panel, name, text, font);
        l->setTextFormat(Qt::PlainText);
        l->move(at);
        l->adjustSize();
        return l;
    };

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

    auto* name = line(panel, "ProductName", QStringLiteral("Quillfen Pursewise"), QPoint(88, 16),
                      designFont(family, 19, true));
    setTextColour(name, QColor(128, 128, 128));
    line(panel, "Version", QStringLiteral("Version: 2"), QPoint(88, 40), designFont(family, 13));
    line(panel, "Copyright", QStringLiteral("Copyright \u00A9 2026 Quillfen Software"),
         QPoint(83, 80), designFont(family, 13));
    line(panel, "Label2", QStringLiteral("Updates copyright \u00A9 2026 Quillfen Software"),
         QPoint(22, 97), designFont(family, 13));
    auto* web = line(panel, "Label1", QStringLiteral("www.quillfen.example"), QPoint(90, 112),
                     designFont(family, 13, true));
    setTextColour(web, QColor(0, 128, 128));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(146, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
