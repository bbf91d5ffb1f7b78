#pragma once

#include "core/program/search.h"

#include <QWidget>

struct Ui;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTableView;
class SearchResultsModel;
class ShortDateEdit;

// The search window: finds entries in every year of every card by a part of
// their description, an amount, and a range of dates, and lists them.
// Activating a found entry (double-click, or Enter on its row) opens its
// card's register at its year with its row selected. Reads the files only
// when Find runs; what it lists stays until the next Find.
class TSearch : public QWidget
{
    Q_OBJECT

public:
    explicit TSearch(Ui& ui, QWidget* parent = nullptr);

    // Shows the window, or brings it to the front, with the text box focused.
    void open();
    void BFindClick();
    // Opens the found entry on view row `row` of the results.
    void ResultsActivate(int row);

private:
    QGridLayout* buildBoxes();

    Ui& m_ui;
    QLineEdit* m_text = nullptr;
    QLineEdit* m_amount = nullptr;
    ShortDateEdit* m_from = nullptr;
    ShortDateEdit* m_to = nullptr;
    QTableView* m_results = nullptr;
    SearchResultsModel* m_model = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_note = nullptr;
};
