#pragma once

#include "core/program/balance_chart.h"
#include "ui/windows/balance_chart_view.h"

#include <QDate>
#include <QWidget>

#include <optional>

struct Ui;

// The balance chart of the register: the running balance owed through the
// year on view as a line ("Balance") and the card's credit limit as a flat
// line across the year ("Limit"), over a date axis from 1 January to
// 31 December and a money axis. Modeless beside the register and made the
// first time it is opened; the drawing itself is done by a module loaded
// then (balance_chart_view.h). It follows the register, redrawn whenever the register shows
// something new and hidden when the register closes. Closing it only hides it.
// It shows what balanceChartOf computes and changes nothing.
class TBalanceChart : public QWidget
{
    Q_OBJECT

public:
    explicit TBalanceChart(Ui& ui, QWidget* parent = nullptr);

    // Draws the chart of the year on view and brings the window forward.
    void open();
    // Follows the register: redraws an open chart while the register shows,
    // hides the chart once the register has closed.
    void refresh();

    // Where a day stands on the date axis (its first moment, local time) and
    // which day a place on that axis is; the scenario runner reads the
    // series' points back through dateAt.
    static qreal xOf(QDate date);
    static QDate dateAt(qreal x);

private:
    void draw();

    Ui& m_ui;
    // The chart view of the module, or a line that says why it cannot be
    // loaded, in which case m_draw is null.
    QWidget* m_view = nullptr;
    void (*m_draw)(QWidget* view, const ChartDrawing& drawing) = nullptr;
    // What the series show now: a refresh that would draw the same again
    // (a row clicked, a window activated) leaves them alone.
    std::optional<BalanceChart> m_drawn;
    bool m_placed = false; // centred on the screen at its first showing
};
