#pragma once

#include "core/program/balance_chart.h"

#include <QDate>
#include <QWidget>

#include <optional>

class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
struct Ui;

// The balance chart of the register: the running balance owed through the
// year on view as a line ("Balance") and the card's credit limit as a flat
// line across the year ("Limit"), over a date axis from 1 January to
// 31 December and a money axis. Modeless beside the register and made once
// at start-up; it follows the register, redrawn whenever the register shows
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
    void fitMoneyAxis(const BalanceChart& chart);

    Ui& m_ui;
    QChartView* m_view = nullptr;
    QLineSeries* m_balance = nullptr;
    QLineSeries* m_limit = nullptr;
    QDateTimeAxis* m_dates = nullptr;
    QValueAxis* m_money = nullptr;
    // What the series show now: a refresh that would draw the same again
    // (a row clicked, a window activated) leaves them alone.
    std::optional<BalanceChart> m_drawn;
    bool m_placed = false; // centred on the screen at its first showing
};
