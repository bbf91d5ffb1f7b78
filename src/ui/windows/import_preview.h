#pragma once

#include "core/program/statement_import.h"
#include "ui/kit/dialog_frame.h"

class QCheckBox;
class QLabel;
class TickTable;
class TCsvColumns;

// Imports a bank's statement into the open card: asks for the file, for a
// CSV file the columns (TCsvColumns), then lists every entry with what the
// import would do with it. The user unticks what should stay out; Import
// posts the rest as one action.
class TImportPreview : public DialogFrame
{
    Q_OBJECT

public:
    TImportPreview(Ui& ui, TCsvColumns& columns, QWidget* parent = nullptr);

    // The whole import, from the file dialog to the posting; does nothing
    // when the user cancels a step.
    void importStatement();

    void OKClick();

private:
    // Reads the chosen file into a statement; false when the user cancelled
    // the columns of a CSV file.
    bool readStatement(const QString& path, Statement& statement);
    void showLines(const QString& fileName);
    void showCount();

    TCsvColumns& m_columns;
    StatementImport m_import;
    std::vector<ImportLine> m_lines;
    QLabel* m_file = nullptr;
    QLabel* m_count = nullptr;
    TickTable* m_table = nullptr;
    QCheckBox* m_cleared = nullptr;
};
