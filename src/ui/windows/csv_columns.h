#pragma once

#include "core/register/csv_statement.h"
#include "ui/kit/dialog_frame.h"

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QTableWidget;

// Which column of a bank's CSV file holds what: the user picks it once per
// card, seeing the file's first rows, and the program remembers the choice
// for that card (in the user's settings, not in the data folder) and offers
// it again with the next file.
class TCsvColumns : public DialogFrame
{
    Q_OBJECT

public:
    explicit TCsvColumns(Ui& ui, QWidget* parent = nullptr);

    // Shows the file's first rows with the card's remembered columns; the
    // columns chosen, or nothing when the user cancelled.
    std::optional<CsvMapping> choose(const QByteArray& bytes, const QString& cardKey);

    void OKClick();

private:
    void showRows();
    void showMapping(const CsvMapping& mapping);
    CsvMapping mapping() const;
    void showLayout();

    QByteArray m_bytes;
    QComboBox* m_delimiter = nullptr;
    QCheckBox* m_header = nullptr;
    QComboBox* m_dateColumn = nullptr;
    QComboBox* m_dateFormat = nullptr;
    QComboBox* m_description = nullptr;
    QComboBox* m_memo = nullptr;
    QRadioButton* m_oneAmount = nullptr;
    QRadioButton* m_twoAmounts = nullptr;
    QComboBox* m_amount = nullptr;
    QComboBox* m_charges = nullptr;
    QComboBox* m_payments = nullptr;
    QRadioButton* m_positive = nullptr;
    QRadioButton* m_negative = nullptr;
    QComboBox* m_decimal = nullptr;
    QTableWidget* m_rows = nullptr;
    bool m_showing = false;
};

// The columns remembered for card `cardKey` of the data folder in use, or
// nothing when none were chosen yet (or what was kept cannot be read).
std::optional<CsvMapping> rememberedColumns(const QString& cardKey);
void rememberColumns(const QString& cardKey, const CsvMapping& mapping);
