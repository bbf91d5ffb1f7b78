#pragma once

#include "ui/kit/big_window.h"

#include <QPointer>

class ClickLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TextGridModel;
struct Ui;

// The card list window: shows the card table and the totals, and hands its
// four buttons and its menu strip to the core. Closing it ends the program.
class TMain : public BigWindow
{
    Q_OBJECT

public:
    explicit TMain(Ui& ui, QWidget* parent = nullptr);
    ~TMain() override;

    // Shows the card table, the totals and the years as they are now.
    void refresh();

    void B1Click();
    void B2Click();
    void B3Click();
    void B4Click();
    // The menu word " Search " and Ctrl+F: show the search window.
    void LSearchClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Every band, font and column as fractions of the design size.
    void layOutClient(QSize area) override;

private:
    void FormActivate();
    void sg1Click(int gridRow);
    void buildMenuStrip();
    void buildBanner();
    void buildGrid();
    void buildButtons();
    void buildTotals();
    void fitTexts();

    Ui& m_ui;
    TextGridModel* m_model = nullptr;
    QTableView* m_sg1 = nullptr;
    QLineEdit* m_totals[3] = {};
    QLineEdit* m_currentYr = nullptr;
    QLineEdit* m_selectedYr = nullptr;
    bool m_refreshing = false;
    // The last of the program's own windows to be active, message boxes left
    // out: the main window's activation is the user coming back only when
    // another one was. A message box closing gives the activation back to
    // the window that showed it, and under a window manager that comes after
    // the box is gone, so a box can never count as the window left.
    QPointer<QWidget> m_lastActive;
};
