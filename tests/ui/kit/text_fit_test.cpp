#include "core/platform/short_date.h"
#include "support/windows_fixture.h"
#include "ui/kit/fonts.h"
#include "ui/kit/text_fit.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <set>

namespace {

// Every text the two big windows write, measured in the font its box shows
// it in, against the width the box leaves for text. The widths are worked
// out here from the style, as Qt draws: a cell loses its grid line and a
// text margin on each side (a centred text may use the margins), a header
// its header margins, an edit box its frame and two pixels on each side.

int cellRoom(const QTableView& grid, int column)
{
    const int width = grid.columnWidth(column) - 1;
    const int alignment = grid.model()->index(0, column).data(Qt::TextAlignmentRole).toInt();
    if ((alignment & Qt::AlignHorizontal_Mask) == Qt::AlignHCenter)
        return width;
    return width -
           2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
}

int headerMargins(const QHeaderView& header)
{
    return 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
}

int boxRoom(const QLineEdit& box)
{
    const int frame =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box) : 0;
    const QMargins margins = box.textMargins();
    return box.width() - 2 * frame - margins.left() - margins.right() - 4;
}

int advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// One line for each text that does not fit: where, what, how wide, how much room.
QStringList overflows(QWidget* window, const std::set<QString>& freeTexts)
{
    QStringList out;
    auto check = [&](const QString& where, const QFont& font, const QString& text, int room) {
        if (!text.isEmpty() && advance(font, text) > room)
            out << QStringLiteral("%1 \"%2\": %3 px in %4 px at %5 px")
                       .arg(where, text)
                       .arg(advance(font, text))
                       .arg(room)
                       .arg(font.pixelSize());
    };
    for (const QTableView* grid : window->findChildren<QTableView*>()) {
        if (!grid->isVisibleTo(window))
            continue;
        const QAbstractItemModel* model = grid->model();
        const QHeaderView* top = grid->horizontalHeader();
        for (int column = 0; column < model->columnCount(); ++column) {
            // The card list's last column, one pixel wide, is not read on screen.
            if (grid->columnWidth(column) <= 2)
                continue;
            const QString where =
                QStringLiteral("%1 column %2").arg(grid->objectName()).arg(column);
            check(where + QStringLiteral(" header"), top->font(),
                  model->headerData(column, Qt::Horizontal).toString(),
                  top->sectionSize(column) - headerMargins(*top));
            const bool free = freeTexts.count(grid->objectName() + QString::number(column)) > 0;
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex cell = model->index(row, column);
                if (free)
                    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString().toStdString(),
                              cell.data().toString().toStdString())
                        << qPrintable(where);
                else
                    check(where, grid->font(), cell.data().toString(), cellRoom(*grid, column));
            }
        }
        const QHeaderView* side = grid->verticalHeader();
        if (side->isVisibleTo(window))
            for (int row = 0; row < model->rowCount(); ++row)
                check(grid->objectName() + QStringLiteral(" row header"), side->font(),
                      model->headerData(row, Qt::Vertical).toString(),
                      side->width() - headerMargins(*side));
    }
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        if (box->isVisibleTo(window))
            check(box->objectName(), box->font(), box->text(), boxRoom(*box));
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisibleTo(window) && !label->wordWrap() && label->pixmap().isNull())
            check(label->objectName(), label->font(), label->text(), label->contentsRect().width());
    return out;
}

struct FitCase
{
    const char* label;
    int scale100; // window size in hundredths of the design size
    const char* dateFormat;
    const char* amount; // every card's money
    const char* total;  // the three totals
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.label;
}

class TextsFit : public RealWindows, public testing::WithParamInterface<FitCase>
{
protected:
    // The widest values every field can hold: 24 cards, 1000 entries.
    void fillWidest()
    {
        const FitCase& c = GetParam();
        ShortDate::setFormat(QString::fromLatin1(c.dateFormat));
        const QString date = ShortDate::toText(QDate(2028, 10, 31));
        const QString amount = QString::fromLatin1(c.amount);
        const QString longName =
            QStringLiteral("Northern Savings and Loan Platinum Rewards Travel Card");
        for (int row = 1; row <= 24; ++row) {
            const QString cells[] = {QStringLiteral("%1. %2").arg(row).arg(longName),
                                     date,
                                     row % 2 ? QStringLiteral("Expired") : QStringLiteral("24.99"),
                                     QStringLiteral("24.99"),
                                     amount,
                                     amount,
                                     amount,
                                     date};
            for (int column = 0; column < 8; ++column)
                m_state.sg1.setCell(column, row, cells[column]);
        }
        m_state.main.E1 = m_state.main.E2 = m_state.main.E3 = QString::fromLatin1(c.total);
        RegisterFields& reg = m_state.reg;
        reg.L7 = longName;
        reg.Edit1 = reg.E3 = date;
        reg.E1 = reg.E2 = QStringLiteral("24.99");
        reg.E4 = QStringLiteral("31");
        reg.E5 = reg.E6 = reg.E7 = reg.E8 = amount;
        reg.EYr = QStringLiteral("26");
        reg.shown = true;
        for (int row : {1, 2, 999, 1000}) {
            const QString cells[] = {date, longName, amount, amount, QStringLiteral("X"), amount};
            for (int column = 1; column < 7; ++column)
                m_state.ledger.setCell(column, row, cells[column - 1]);
        }
        m_windows->ui().refresh();
    }

    // The window at its design size times the case's scale, laid out.
    QWidget* sized(const char* name, QSize design)
    {
        QWidget* w = m_windows->window(QString::fromLatin1(name));
        w->show();
        w->resize(design * (GetParam().scale100 / 100.0));
        QTest::qWait(30);
        return w;
    }
};

TEST_P(TextsFit, TheCardListAndTotalsShowEveryTextWhole)
{
    fillWidest();
    QWidget* main = sized("Main", {656, 492});
    EXPECT_EQ(overflows(main, {QStringLiteral("sg10")}).join(u'\n').toStdString(), "")
        << main->width() << "x" << main->height();
}

TEST_P(TextsFit, TheRegisterShowsEveryTextWhole)
{
    fillWidest();
    QWidget* form1 = sized("Form1", {640, 480});
    EXPECT_EQ(overflows(form1, {QStringLiteral("StringGrid11")}).join(u'\n').toStdString(), "")
        << form1->width() << "x" << form1->height();
    // The long name is cut with "…" before "Year:" and shows whole as a hint.
    const auto* name = form1->findChild<QLabel*>(QStringLiteral("L7"));
    const auto* year = form1->findChild<QLabel*>(QStringLiteral("L8"));
    EXPECT_TRUE(name->text().endsWith(u'…')) << qPrintable(name->text());
    EXPECT_LT(name->geometry().right(), year->x());
    EXPECT_EQ(name->toolTip().toStdString(), m_state.reg.L7.toStdString());
}

TEST_F(RealWindows, ARegisterOpenedAgainIsFittedToTheCardItNowShows)
{
    RegisterFields& reg = m_state.reg;
    const auto show = [&](const QString& amount) {
        reg.L7 = QStringLiteral("Visa");
        reg.E5 = reg.E6 = reg.E7 = reg.E8 = amount;
        const QString cells[] = {QStringLiteral("12/1/26"),
                                 QStringLiteral("Fee"),
                                 amount,
                                 amount,
                                 QStringLiteral("X"),
                                 amount};
        for (int column = 1; column < 7; ++column)
            m_state.ledger.setCell(column, 1, cells[column - 1]);
        reg.shown = true;
        m_windows->ui().refresh();
        QTest::qWait(30);
    };
    QWidget* form1 = m_windows->window(QStringLiteral("Form1"));
    show(QStringLiteral("1.00"));
    ASSERT_TRUE(form1->isVisible());
    EXPECT_EQ(overflows(form1, {QStringLiteral("StringGrid11")}).join(u'\n').toStdString(), "");
    // Closed, and opened again on a card of far wider amounts, at the same size.
    reg.shown = false;
    m_windows->ui().refresh();
    ASSERT_FALSE(form1->isVisible());
    show(QStringLiteral("-99999999999.99"));
    ASSERT_TRUE(form1->isVisible());
    EXPECT_EQ(overflows(form1, {QStringLiteral("StringGrid11")}).join(u'\n').toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(
    WidestValues, TextsFit,
    testing::Values(FitCase{"design size", 100, "M/d/yy", "-99999.99", "999999.99"},
                    FitCase{"design size, day first, four-digit years", 100, "dd/MM/yyyy",
                            "-99999.99", "999999.99"},
                    FitCase{"one and a half times", 150, "M/d/yy", "-99999.99", "999999.99"},
                    FitCase{"twice, day first", 200, "dd/MM/yyyy", "-99999.99", "999999.99"},
                    FitCase{"the largest amounts the files hold", 100, "M/d/yy",
                            "-9999999999999999.99", "-92233720368547758.08"},
                    FitCase{"the largest amounts, twice the size", 200, "dd/MM/yyyy",
                            "-9999999999999999.99", "-92233720368547758.08"}));

// The client area's height, below the painted title.
int clientHeight(QWidget* window)
{
    return window->findChild<QWidget*>(QStringLiteral("ClientArea"))->height();
}

// At the design's client height of 453 the rows are 20 pixels high, as the
// layout asks, and the card list shows eight cards below its header, not six.
TEST_F(RealWindows, TheCardListShowsEightRowsAtTheDesignSize)
{
    QWidget* main = m_windows->window(QStringLiteral("Main"));
    main->show();
    // Below the smallest size the offscreen screen allows, so that limit goes.
    main->setMinimumSize(0, 0);
    // 629 by 472 keeps 4:3 and leaves 453 below the 19-pixel title.
    main->resize(629, 472);
    QTest::qWait(30);
    ASSERT_NEAR(clientHeight(main), 453, 1);
    const auto* sg1 = main->findChild<QTableView*>(QStringLiteral("sg1"));
    EXPECT_EQ(sg1->rowHeight(0), 20);
    EXPECT_EQ(sg1->horizontalHeader()->height(), 20);
    // Eight rows below the header, the last one's grid line under the frame.
    EXPECT_GE(sg1->viewport()->height() + 2 * sg1->frameWidth(), 8 * sg1->rowHeight(0));
}

struct RowCase
{
    const char* window;
    const char* grid;
    QSize size;
};

class GridRows : public RealWindows, public testing::WithParamInterface<RowCase>
{};

TEST_P(GridRows, AreAsHighAsTheLayoutSays)
{
    const RowCase& c = GetParam();
    QWidget* w = m_windows->window(QString::fromLatin1(c.window));
    w->show();
    w->resize(c.size);
    QTest::qWait(30);
    const auto* grid = w->findChild<QTableView*>(QString::fromLatin1(c.grid));
    const int expected = int(std::nearbyint(clientHeight(w) * 20.0 / 453));
    EXPECT_EQ(grid->rowHeight(0), expected) << c.grid << " " << c.size.width();
}

INSTANTIATE_TEST_SUITE_P(BothGrids, GridRows,
                         testing::Values(RowCase{"Main", "sg1", {656, 492}},
                                         RowCase{"Main", "sg1", {1312, 984}},
                                         RowCase{"Form1", "StringGrid1", {640, 480}},
                                         RowCase{"Form1", "StringGrid1", {1280, 960}}));

struct AlignCase
{
    const char* window;
    const char* grid;
    int column;
    Qt::Alignment alignment;
};

class MoneyColumns : public RealWindows, public testing::WithParamInterface<AlignCase>
{};

TEST_P(MoneyColumns, LineUpOnTheRight)
{
    const AlignCase& c = GetParam();
    const auto* grid = m_windows->window(QString::fromLatin1(c.window))
                           ->findChild<QTableView*>(QString::fromLatin1(c.grid));
    const int alignment = grid->model()->index(0, c.column).data(Qt::TextAlignmentRole).toInt();
    EXPECT_EQ(alignment & Qt::AlignHorizontal_Mask, int(c.alignment)) << c.grid << " " << c.column;
}

INSTANTIATE_TEST_SUITE_P(BothGrids, MoneyColumns,
                         testing::Values(AlignCase{"Main", "sg1", 0, Qt::AlignLeft},
                                         AlignCase{"Main", "sg1", 1, Qt::AlignLeft},
                                         AlignCase{"Main", "sg1", 4, Qt::AlignRight},
                                         AlignCase{"Main", "sg1", 5, Qt::AlignRight},
                                         AlignCase{"Main", "sg1", 6, Qt::AlignRight},
                                         AlignCase{"Form1", "StringGrid1", 0, Qt::AlignLeft},
                                         AlignCase{"Form1", "StringGrid1", 2, Qt::AlignRight},
                                         AlignCase{"Form1", "StringGrid1", 3, Qt::AlignRight},
                                         AlignCase{"Form1", "StringGrid1", 4, Qt::AlignHCenter},
                                         AlignCase{"Form1", "StringGrid1", 5, Qt::AlignRight}));

} // namespace

namespace {

// A column's worth of amounts as the ledger stores them, from a fixed seed:
// every length from ".01" to eleven figures, negative ones, and repeats.
QStringList sampleAmounts()
{
    QStringList amounts{QStringLiteral(".01"),        QStringLiteral("-.05"),
                        QStringLiteral("0.00"),       QStringLiteral("11.11"),
                        QStringLiteral("1111111.11"), QStringLiteral("-99999999.99"),
                        QStringLiteral("12340.00")};
    quint32 seed = 20261210;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const qint64 cents = qint64(seed % 100000000u) >> (seed % 23);
        QString text = QString::number(cents / 100) + u'.' +
                       QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
        if (seed & 1u)
            text.prepend(u'-');
        amounts << text;
    }
    return amounts;
}

} // namespace

TEST(TextWidths, AreTheFontMetricsOwnWidthsInEveryFontAndSizeTheWindowsUse)
{
    // Texts that are no amount are measured as they are.
    const QStringList others = {QStringLiteral("Opening Bal"), QStringLiteral("X"),
                                QStringLiteral("1,234.00"),    QStringLiteral("12/1/26"),
                                QStringLiteral("\u20ac 5"),    QString()};
    const QStringList texts = sampleAmounts() + others;
    installFontSubstitutes();
    int fonts = 0;
    int byShape = 0;
    for (const char* family : {"Bookman Old Style", "Arial", "Times New Roman", "Tahoma", "Georgia",
                               "DejaVu Sans Mono", "Z003"}) {
        for (int pixels = 5; pixels <= 24; ++pixels) {
            QFont font(QString::fromLatin1(family));
            font.setPixelSize(pixels);
            const QFontMetrics metrics(font);
            TextWidths widths(font);
            ++fonts;
            byShape += widths.measuresByShape() ? 1 : 0;
            for (const QString& text : texts)
                ASSERT_EQ(widths.of(text), metrics.horizontalAdvance(text))
                    << family << " " << pixels << "px: \"" << text.toStdString() << '"';
            // Asked again, from what it keeps.
            for (const QString& text : texts)
                ASSERT_EQ(widths.of(text), metrics.horizontalAdvance(text))
                    << family << " " << pixels << "px again: \"" << text.toStdString() << '"';
        }
    }
    EXPECT_EQ(fonts, 140);
    // The quick way is taken for most of them, so it is what was compared.
    EXPECT_GT(byShape, 70);
}

TEST(FontMeasure, RemembersEachFontsOwnWidthsForTheWholeRun)
{
    installFontSubstitutes();
    const QStringList texts =
        sampleAmounts() + QStringList{QStringLiteral("Opening Bal"), QStringLiteral("12/31/28"),
                                      QStringLiteral("Total Credit Limit")};
    // Fonts that differ in one thing only must not share what is remembered.
    std::vector<QFont> fonts;
    for (const bool bold : {false, true})
        for (const bool italic : {false, true})
            for (const int pixels : {11, 12, 16}) {
                QFont font(QStringLiteral("Bookman Old Style"));
                font.setPixelSize(pixels);
                font.setBold(bold);
                font.setItalic(italic);
                fonts.push_back(font);
            }
    for (int round = 0; round < 2; ++round)
        for (const QFont& font : fonts) {
            const FontMeasure measure(font);
            const QFontMetrics metrics(font);
            EXPECT_EQ(measure.height(), metrics.height());
            for (const QString& text : texts)
                ASSERT_EQ(measure.width(text), metrics.horizontalAdvance(text))
                    << font.key().toStdString() << " round " << round << ": \""
                    << text.toStdString() << '"';
        }

    // Past the most it keeps, it starts afresh and still answers right.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    const QFontMetrics metrics(font);
    for (int n = 0; n < 12000; n += 2) {
        const QString text = QString::number(n) + QStringLiteral(" Visa");
        ASSERT_EQ(FontMeasure(font).width(text), metrics.horizontalAdvance(text)) << n;
    }
    for (const QString& text : texts)
        ASSERT_EQ(FontMeasure(font).width(text), metrics.horizontalAdvance(text));
}
