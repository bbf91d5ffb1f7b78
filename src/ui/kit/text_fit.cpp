#include "ui/kit/text_fit.h"

#include "core/platform/short_date.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <unordered_map>

namespace {

// The edit keeps two pixels free on either side of its text.
constexpr int editMargin = 2;

// Draws a grid's cells, cutting the free texts of some columns with "…" and
// leaving every other text whole.
class FitDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::vector<bool> elided;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto column = std::size_t(index.column());
        option->textElideMode =
            column < elided.size() && elided[column] ? Qt::ElideRight : Qt::ElideNone;
    }
};

bool isCentred(const QTableView& grid, int column)
{
    const QAbstractItemModel* model = grid.model();
    if (!model || model->rowCount() == 0)
        return false;
    const int alignment = model->index(0, column).data(Qt::TextAlignmentRole).toInt();
    return (alignment & Qt::AlignHorizontal_Mask) == Qt::AlignHCenter;
}

// The characters of a stored amount.
constexpr QStringView amountCharacters = u"0123456789.-";

// Whether every digit has one advance and no pair of an amount's characters
// kerns, in exact (unrounded) advances; answered once per font.
bool amountsMeasureByShape(const QFont& font)
{
    static QHash<QString, bool> known;
    const QString key = font.key();
    if (const auto found = known.constFind(key); found != known.cend())
        return *found;
    const QFontMetricsF metrics(font);
    const qreal digit = metrics.horizontalAdvance(QLatin1Char('0'));
    bool byShape = true;
    for (const QChar first : amountCharacters) {
        const qreal advance = metrics.horizontalAdvance(first);
        if (first.isDigit() && advance != digit)
            byShape = false;
        for (const QChar second : amountCharacters)
            if (metrics.horizontalAdvance(QString(first) + second) !=
                advance + metrics.horizontalAdvance(second))
                byShape = false;
    }
    known.insert(key, byShape);
    return byShape;
}

// The text with every digit made "0", or an empty text when it holds a
// character that is not an amount's.
QString amountShape(const QString& text)
{
    QString shape(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            shape[i] = u'0';
        else if (c == u'.' || c == u'-')
            shape[i] = c;
        else
            return {};
    }
    return shape;
}

// The widest texts of a column as they stand now, at most two, measured in
// one font: the fit then measures only these at each size.
QStringList widestContents(const QTableView& grid, int column, TextWidths& widths)
{
    const QAbstractItemModel* model = grid.model();
    QString first;
    QString second;
    int firstWidth = -1;
    int secondWidth = -1;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString text = model->index(row, column).data().toString();
        if (text.isEmpty())
            continue;
        const int width = widths.of(text);
        if (width > firstWidth) {
            second = first;
            secondWidth = firstWidth;
            first = text;
            firstWidth = width;
        } else if (width > secondWidth) {
            second = text;
            secondWidth = width;
        }
    }
    QStringList out;
    for (const QString& text : {first, second})
        if (!text.isEmpty())
            out << text;
    return out;
}

bool allFit(const FontMeasure& measure, const QStringList& texts, int room)
{
    return std::all_of(texts.begin(), texts.end(),
                       [&](const QString& text) { return measure.width(text) <= room; });
}

} // namespace

int textRoom(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (box.isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    const QRect contents = box.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, &box)
                               .marginsRemoved(box.textMargins());
    return contents.width() - 2 * editMargin;
}

int cellTextRoom(const QTableView& grid, int column)
{
    const int line = grid.showGrid() ? 1 : 0;
    const int width = grid.columnWidth(column) - line;
    if (isCentred(grid, column))
        return width;
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    return width - 2 * margin;
}

int headerTextRoom(const QTableView& grid, int column)
{
    const QHeaderView* header = column < 0 ? grid.verticalHeader() : grid.horizontalHeader();
    QStyleOptionHeader option;
    option.initFrom(header);
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, &option, header);
    // A row header of a fixed width has it before the view lays itself out.
    const int width = column >= 0                                ? header->sectionSize(column)
                      : header->maximumWidth() < QWIDGETSIZE_MAX ? header->maximumWidth()
                                                                 : header->width();
    return width - 2 * margin;
}

TextWidths::TextWidths(const QFont& font) : m_metrics(font), m_byShape(amountsMeasureByShape(font))
{}

int TextWidths::of(const QString& text)
{
    if (m_byShape) {
        const QString shape = amountShape(text);
        if (!shape.isEmpty()) {
            const auto found = m_shapes.constFind(shape);
            if (found != m_shapes.cend())
                return *found;
            const int width = m_metrics.horizontalAdvance(shape);
            m_shapes.insert(shape, width);
            return width;
        }
    }
    return m_metrics.horizontalAdvance(text);
}

FontMeasure::FontMeasure(const QFont& font) : m_metrics(font)
{
    // By font key; an unordered_map keeps each font's table in its place
    // while tables of other fonts are added.
    static std::unordered_map<QString, QHash<QString, int>> fonts;
    m_widths = &fonts[font.key()];
}

int FontMeasure::width(const QString& text) const
{
    if (const auto found = m_widths->constFind(text); found != m_widths->cend())
        return *found;
    const int measured = m_metrics.horizontalAdvance(text);
    // A field's own texts come and go: a font's table starts afresh once it
    // holds this many.
    constexpr qsizetype mostTexts = 5000;
    if (m_widths->size() >= mostTexts)
        m_widths->clear();
    m_widths->insert(text, measured);
    return measured;
}

int largestFittingSize(QFont font, int pixels, int smallest,
                       const std::function<bool(const FontMeasure&)>& fits)
{
    for (int size = pixels; size > smallest; --size) {
        font.setPixelSize(size);
        if (fits(FontMeasure(font)))
            return size;
    }
    return smallest;
}

void fitGridFont(QTableView& grid, int pixels, const std::vector<ColumnTexts>& columns,
                 const QString& rowHeader)
{
    auto* delegate = dynamic_cast<FitDelegate*>(grid.itemDelegate());
    if (!delegate) {
        delegate = new FitDelegate(&grid);
        grid.setItemDelegate(delegate);
    }
    delegate->elided.clear();

    struct Need
    {
        QStringList texts;
        int room;
    };
    std::vector<Need> needs;
    QFont font = grid.font();
    font.setPixelSize(pixels);
    TextWidths reference(font);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = int(c);
        const ColumnTexts& texts = columns[c];
        delegate->elided.push_back(texts.elided);
        QStringList cell = texts.widest;
        if (texts.contents)
            cell << widestContents(grid, column, reference);
        needs.push_back({cell, cellTextRoom(grid, column)});
        const QString header = grid.model()->headerData(column, Qt::Horizontal).toString();
        needs.push_back({{header}, headerTextRoom(grid, column)});
    }
    if (!rowHeader.isEmpty())
        needs.push_back({{rowHeader}, headerTextRoom(grid, -1)});
    const int rowHeight = grid.verticalHeader()->defaultSectionSize() - (grid.showGrid() ? 1 : 0);

    const int size =
        largestFittingSize(grid.font(), pixels, smallestText, [&](const FontMeasure& measure) {
            if (measure.height() > rowHeight)
                return false;
            return std::all_of(needs.begin(), needs.end(),
                               [&](const Need& n) { return allFit(measure, n.texts, n.room); });
        });
    font.setPixelSize(size);
    grid.setFont(font);
    grid.horizontalHeader()->setFont(font);
    grid.verticalHeader()->setFont(font);
}

void fitBoxFont(QLineEdit& box, int pixels, const QStringList& widest, int smallest)
{
    const QStringList texts = QStringList(widest) << box.text();
    const int room = textRoom(box);
    QFont font = box.font();
    font.setPixelSize(largestFittingSize(font, pixels, smallest, [&](const FontMeasure& measure) {
        return allFit(measure, texts, room);
    }));
    box.setFont(font);
}

int boxWidthFor(const QLineEdit& box, int pixels, const QStringList& texts)
{
    QFont font = box.font();
    font.setPixelSize(pixels);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest + box.width() - textRoom(box);
}

void showElided(QLabel& label, const QString& text, int width)
{
    const int margins = label.width() - label.contentsRect().width();
    const QString shown =
        label.fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, width - margins));
    label.setText(shown);
    label.setToolTip(shown == text ? QString() : text);
}

namespace Widest {

QStringList dates()
{
    QStringList out;
    for (int month = 1; month <= 12; ++month) {
        const QDate first(2028, month, 1);
        out << ShortDate::toText(QDate(2028, month, first.daysInMonth()))
            << ShortDate::toText(QDate(2028, month, 28));
    }
    return out;
}

QString amount()
{
    return QStringLiteral("-99999.99");
}

QString total()
{
    return QStringLiteral("999999.99");
}

QString rate()
{
    return QStringLiteral("24.99");
}

} // namespace Widest
