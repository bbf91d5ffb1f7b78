#pragma once

#include "ui/kit/dialog_frame.h"

class QRadioButton;

// Writes the open card's entries to a file another program can read: the
// year on view or every year of the card, as CSV or as QIF. The user picks
// which here and where in the file dialog that follows.
class TExportForm : public DialogFrame
{
    Q_OBJECT

public:
    explicit TExportForm(Ui& ui, QWidget* parent = nullptr);

    void OKClick();

protected:
    void opened() override;

private:
    QRadioButton* m_year = nullptr;
    QRadioButton* m_allYears = nullptr;
    QRadioButton* m_csv = nullptr;
    QRadioButton* m_qif = nullptr;
};

// The readable report of the year on view: printed, or saved as a PDF file.
class TReportForm : public DialogFrame
{
    Q_OBJECT

public:
    explicit TReportForm(Ui& ui, QWidget* parent = nullptr);

    void PrintClick();
    void PdfClick();
};
