#include "ui/kit/pictures.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace {

using Drawing = std::function<void(QPainter&)>;

// Draws a picture designed in a box of `design` units, scaled evenly to fit
// `size` and centred in it; the rest stays transparent. Each picture is drawn
// once per size: later calls take it from Qt's pixmap cache under `name`.
QPixmap picture(const char* name, QSize size, QSizeF design, const Drawing& draw)
{
    const QSize pixels = size.expandedTo(QSize(1, 1));
    const QString key = QStringLiteral("pursewise/%1/%2x%3")
                            .arg(QLatin1String(name))
                            .arg(pixels.width())
                            .arg(pixels.height());
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    picture = QPixmap(pixels);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal scale =
            qMin(picture.width() / design.width(), picture.height() / design.height());
        painter.translate((picture.width() - design.width() * scale) / 2,
                          (picture.height() - design.height() * scale) / 2);
        painter.scale(scale, scale);
        draw(painter);
    }
    QPixmapCache::insert(key, picture);
    return picture;
}

// The sizes of an icon's pictures, in pixels a side.
constexpr std::array<int, 6> iconSides{16, 20, 24, 32, 48, 64};

// An icon of the usual sizes that draws each size the first time it is
// needed: a window made at start-up would otherwise draw all six of every
// picture it holds, most of them never shown. It answers as an icon holding
// all six pictures does. Such an icon serves a request from the smallest
// picture at least as large as the size asked for (by area), or else the
// largest; so this one draws that picture first and hands the request to an
// icon of the pictures drawn so far, where it is the one chosen as well.
class DrawnIconEngine : public QIconEngine
{
public:
    DrawnIconEngine(const char* name, QSizeF design, Drawing draw)
        : m_name(name), m_design(design), m_draw(std::move(draw))
    {}

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
    QString key() const override { return QStringLiteral("DrawnIconEngine"); }
    bool isNull() override { return false; }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        QSize actual(sideFor(size), sideFor(size));
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (const int side : iconSides)
                sizes.append(QSize(side, side));
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawnFor(size).pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        drawnFor(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    // The side of the picture an icon of all six serves `size` from.
    static int sideFor(const QSize& size)
    {
        const int wanted = size.width() * size.height();
        for (const int side : iconSides)
            if (side * side >= wanted)
                return side;
        return iconSides.back();
    }

    const QIcon& drawnFor(const QSize& size)
    {
        const int side = sideFor(size);
        const auto at =
            std::size_t(std::find(iconSides.begin(), iconSides.end(), side) - iconSides.begin());
        if (!m_drawn[at]) {
            m_pictures.addPixmap(picture(m_name, QSize(side, side), m_design, m_draw));
            m_drawn[at] = true;
        }
        return m_pictures;
    }

    const char* m_name;
    QSizeF m_design;
    Drawing m_draw;
    QIcon m_pictures;
    std::array<bool, iconSides.size()> m_drawn{};
};

QIcon iconOf(const char* name, QSizeF design, const Drawing& draw)
{
    return QIcon(new DrawnIconEngine(name, design, draw));
}

const QColor ink(40, 40, 48);
const QColor gold(232, 184, 40);
const QColor darkGold(150, 105, 10);

// A credit card seen from the front, centred on `centre` and turned by
// `angle` degrees: chip, number dots and a coloured face.
void drawCard(QPainter& p, QPointF centre, qreal angle, const QColor& face, const QColor& light)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF card(-23, -15, 46, 30);
    QLinearGradient shade(card.topLeft(), card.bottomRight());
    shade.setColorAt(0, light);
    shade.setColorAt(1, face);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(shade);
    p.drawRoundedRect(card, 4, 4);
    p.setPen(QPen(darkGold, 0.6));
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(-17, -9, 9, 7), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int group = 0; group < 3; ++group)
        for (int dot = 0; dot < 3; ++dot)
            p.drawEllipse(QPointF(-4 + group * 8 + dot * 2.2, -5), 0.8, 0.8);
    p.restore();
}

// The logo: two cards fanned out of a leather purse with a gold clasp.
void drawLogo(QPainter& p)
{
    drawCard(p, QPointF(38, 28), -14, QColor(24, 78, 150), QColor(90, 150, 220));
    drawCard(p, QPointF(62, 27), 12, QColor(200, 140, 10), QColor(250, 214, 90));

    QPainterPath body;
    body.moveTo(19, 38);
    body.lineTo(81, 38);
    body.lineTo(91, 66);
    body.quadTo(93, 77, 82, 77);
    body.lineTo(18, 77);
    body.quadTo(7, 77, 9, 66);
    body.closeSubpath();
    QLinearGradient leather(0, 38, 0, 77);
    leather.setColorAt(0, QColor(196, 104, 52));
    leather.setColorAt(1, QColor(120, 48, 20));
    p.setPen(QPen(QColor(70, 26, 8), 2));
    p.setBrush(leather);
    p.drawPath(body);

    QPen stitch(QColor(250, 220, 170), 1, Qt::DashLine);
    stitch.setDashPattern({2.5, 2});
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(15, 70), QPointF(85, 70));
    p.drawLine(QPointF(20, 44), QPointF(80, 44));

    p.setPen(QPen(darkGold, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 38), QPointF(81, 38));
    p.setPen(QPen(gold, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 38), QPointF(81, 38));

    for (const qreal x : {45.5, 54.5}) {
        QRadialGradient shine(QPointF(x - 1.5, 31.5), 5);
        shine.setColorAt(0, QColor(255, 246, 200));
        shine.setColorAt(1, gold);
        p.setPen(QPen(darkGold, 1));
        p.setBrush(shine);
        p.drawEllipse(QPointF(x, 33), 4.5, 4.5);
    }
}

// A ledger sheet with a folded corner and ruled lines, the base of the
// register's entry pictures.
void drawSheet(QPainter& p, QRectF sheet)
{
    QPainterPath outline;
    outline.moveTo(sheet.topLeft());
    outline.lineTo(sheet.right() - 6, sheet.top());
    outline.lineTo(sheet.right(), sheet.top() + 6);
    outline.lineTo(sheet.bottomRight());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    p.setBrush(QColor(210, 210, 220));
    p.drawPolygon(QPolygonF({QPointF(sheet.right() - 6, sheet.top()),
                             QPointF(sheet.right() - 6, sheet.top() + 6),
                             QPointF(sheet.right(), sheet.top() + 6)}));
    p.setPen(QPen(QColor(90, 130, 200), 1.2));
    for (qreal y = sheet.top() + 9; y < sheet.bottom() - 3; y += 4.5)
        p.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
}

void drawAdd(QPainter& p)
{
    drawSheet(p, QRectF(3, 2, 20, 26));
    p.setPen(QPen(QColor(20, 100, 30), 1.2));
    p.setBrush(QColor(50, 170, 60));
    p.drawEllipse(QPointF(22, 22), 8.5, 8.5);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17.5, 22), QPointF(26.5, 22));
    p.drawLine(QPointF(22, 17.5), QPointF(22, 26.5));
}

void drawInsert(QPainter& p)
{
    drawSheet(p, QRectF(10, 2, 20, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 60));
    p.drawRect(QRectF(11, 13.5, 18, 5));
    QPainterPath arrow;
    arrow.moveTo(1, 13.5);
    arrow.lineTo(9, 13.5);
    arrow.lineTo(9, 9.5);
    arrow.lineTo(17, 16);
    arrow.lineTo(9, 22.5);
    arrow.lineTo(9, 18.5);
    arrow.lineTo(1, 18.5);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(10, 50, 130), 1.2));
    p.setBrush(QColor(40, 110, 220));
    p.drawPath(arrow);
}

void drawDelete(QPainter& p)
{
    drawSheet(p, QRectF(3, 2, 20, 26));
    for (const auto& [colour, width] :
         {std::pair{QColor(120, 0, 0), 6.0}, {QColor(225, 30, 30), 3.6}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(28, 28));
        p.drawLine(QPointF(28, 16), QPointF(16, 28));
    }
}

void drawEdit(QPainter& p)
{
    drawSheet(p, QRectF(3, 2, 20, 26));
    p.save();
    p.translate(20, 17);
    p.rotate(45);
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRectF(-3, -13, 6, 18));
    p.setBrush(QColor(240, 140, 160));
    p.drawRect(QRectF(-3, -16, 6, 3));
    p.setBrush(QColor(240, 215, 170));
    p.drawPolygon(QPolygonF({QPointF(-3, 5), QPointF(3, 5), QPointF(0, 12)}));
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(-1, 9.7), QPointF(1, 9.7), QPointF(0, 12)}));
    p.restore();
}

void drawToggleX(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
    p.setPen(QPen(QColor(20, 60, 160), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(22, 22));
    p.drawLine(QPointF(22, 10), QPointF(10, 22));
}

void drawYear(QPainter& p)
{
    const QRectF page(3, 5, 26, 24);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, 2, 2);
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(page.left(), page.top(), page.width(), 7), 2, 2);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 2.5), QPointF(10, 8));
    p.drawLine(QPointF(22, 2.5), QPointF(22, 8));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            p.setBrush(row == 1 && column == 2 ? QColor(210, 40, 40) : QColor(120, 120, 140));
            p.drawRect(QRectF(6 + column * 5.5, 15 + row * 4.5, 3.5, 3));
        }
}

void drawClose(QPainter& p)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(255, 240, 170));
    p.drawRect(QRectF(11, 3, 16, 26));
    p.setPen(QPen(QColor(20, 100, 30), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(15, 16), QPointF(24, 16));
    p.drawPolyline(QPolygonF({QPointF(20.5, 12.5), QPointF(24, 16), QPointF(20.5, 19.5)}));
    p.setPen(QPen(QColor(70, 30, 10), 1.2));
    p.setBrush(QColor(150, 80, 30));
    p.drawPolygon(QPolygonF({QPointF(11, 3), QPointF(3, 7), QPointF(3, 31), QPointF(11, 29)}));
    p.setBrush(gold);
    p.drawEllipse(QPointF(5.5, 18), 1.2, 1.2);
}

} // namespace

QPixmap programLogo(QSize size)
{
    return picture("logo", size, QSizeF(100, 80), drawLogo);
}

QIcon programIcon()
{
    return iconOf("logo", QSizeF(100, 80), drawLogo);
}

QIcon registerButtonPicture(const QString& buttonName)
{
    const std::tuple<const char*, const char*, void (*)(QPainter&)> pictures[] = {
        {"BB3", "Add", drawAdd},          {"BB4", "Insert", drawInsert},
        {"BB5", "Delete", drawDelete},    {"BB6", "Edit", drawEdit},
        {"BB7", "Toggle X", drawToggleX}, {"BB8", "Year", drawYear},
        {"BB10", "Close", drawClose}};
    for (const auto& [name, caption, draw] : pictures)
        if (buttonName == QLatin1String(name) || buttonName == QLatin1String(caption))
            return iconOf(name, QSizeF(32, 32), draw);
    return QIcon();
}
