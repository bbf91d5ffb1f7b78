#pragma once

#include "ui/kit/big_window.h"

class QLabel;
class QLineEdit;
class QTableView;
class QToolButton;
class TextGridModel;
struct Ui;
enum class EntryMode;

// The register of one card: its particulars and totals, one year's ledger and
// the button bar. Modeless beside the main window; closing it only hides it.
// register_controls.cpp makes its controls; register_window.cpp shows the
// state in them, runs the buttons and lays them out.
class TForm1 : public BigWindow
{
    Q_OBJECT

public:
    explicit TForm1(Ui& ui, QWidget* parent = nullptr);

    // Shows the header, the ledger and the "Overdrawn" notice as they are now.
    void refresh();

    void bb3Click();
    void bb4Click();
    void bb5Click();
    void bb6Click();
    void bb7Click();
    void bb8Click();
    void BB9Click();
    void BB10Click();
    // The statement words of the menu strip.
    void LImportClick();
    void LReconcileClick();
    void LReportClick();
    void LExportClick();
    // The chart's word after them.
    void LChartClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The font, the ledger, the button bar, the menu strip, the details and
    // the notice as fractions of the design size.
    void layOutClient(QSize area) override;

private:
    void openEntryDialog(EntryMode mode);
    void buildMenuStrip();
    void buildDetails(QWidget* body);
    void buildButtonBar(QWidget* body);
    void buildGrids(QWidget* body);
    void placeOverdrawnNotice();
    void fitTexts();
    // The card's name cut with "…" before it reaches "Year:".
    void showName();

    Ui& m_ui;
    TextGridModel* m_model = nullptr;
    TextGridModel* m_beginBalModel = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_overdrawn = nullptr;
    QLineEdit* m_year = nullptr;
    QLineEdit* m_fields[9] = {}; // Edit1, E1 to E8
    bool m_refreshing = false;
    int m_detailsFont = 14; // of the detail lines, as the last layout set it
    int m_fits = 0;         // how many times the texts were fitted
};
