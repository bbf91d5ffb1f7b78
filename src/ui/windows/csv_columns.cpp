#include "ui/windows/csv_columns.h"

#include "core/platform/messages.h"
#include "ui/kit/dialog_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>

namespace {

constexpr int clientWidth = 640;
constexpr int clientHeight = 470;
constexpr int shownRows = 8;

// The date forms banks write, in Qt's pattern letters.
const QStringList dateFormats = {
    QStringLiteral("yyyy-MM-dd"), QStringLiteral("MM/dd/yyyy"), QStringLiteral("dd/MM/yyyy"),
    QStringLiteral("dd.MM.yyyy"), QStringLiteral("M/d/yyyy"),   QStringLiteral("d/M/yyyy"),
    QStringLiteral("d.M.yyyy"),   QStringLiteral("dd-MM-yyyy"), QStringLiteral("MM-dd-yyyy"),
    QStringLiteral("yyyyMMdd"),   QStringLiteral("MM/dd/yy"),   QStringLiteral("dd/MM/yy"),
    QStringLiteral("dd.MM.yy"),   QStringLiteral("yyyy/MM/dd")};

const QChar delimiters[] = {u',', u';', u'\t'};

// The user's settings file: ~/.config/Quillfen/Quillfen Pursewise.conf.
const QString organisation = QStringLiteral("Quillfen");

QString settingsKey(const QString& cardKey)
{
    // One data folder's card 3 is not another's.
    return QStringLiteral("csv-columns/%1/%2")
        .arg(QString::fromLatin1(
                 QDir::currentPath().toUtf8().toBase64(QByteArray::Base64UrlEncoding)),
             cardKey);
}

QComboBox* combo(QWidget* parent, const char* name, const QRect& place)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    return box;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

// The column a box names (its item's data, from 1), or 0 for "(none)".
int columnOf(const QComboBox* box)
{
    return box->currentIndex() < 0 ? 0 : box->currentData().toInt();
}

void pickColumn(QComboBox* box, int column)
{
    const int index = box->findData(column);
    box->setCurrentIndex(index >= 0 ? index : (box->count() > 0 ? 0 : -1));
}

} // namespace

std::optional<CsvMapping> rememberedColumns(const QString& cardKey)
{
    const QString text =
        QSettings(organisation, applicationTitle).value(settingsKey(cardKey)).toString();
    return text.isEmpty() ? std::nullopt : CsvMapping::fromText(text);
}

void rememberColumns(const QString& cardKey, const CsvMapping& mapping)
{
    QSettings settings(organisation, applicationTitle);
    settings.setValue(settingsKey(cardKey), mapping.toText());
    settings.sync();
}

TCsvColumns::TCsvColumns(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("CsvColumns"), std::nullopt, parent)
{
    dressStatementDialog(this, QStringLiteral("Columns of the statement"), clientWidth,
                         clientHeight);

    m_rows = new QTableWidget(this);
    m_rows->setObjectName(QStringLiteral("Rows"));
    m_rows->setGeometry(12, 12, clientWidth - 24, 190);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->verticalHeader()->setDefaultSectionSize(20);
    keepWhite(m_rows);

    const int left = 12, boxLeft = 170, boxWidth = 150, right = 340, rightBox = 480;
    dialogLabel(this, "LDelimiter", QStringLiteral("Columns are separated by:"), left, 216);
    m_delimiter = combo(this, "Delimiter", {boxLeft, 212, boxWidth, 24});
    m_delimiter->addItems(
        {QStringLiteral("Commas"), QStringLiteral("Semicolons"), QStringLiteral("Tabs")});
    m_header = new QCheckBox(QStringLiteral("The first row holds the column names"), this);
    m_header->setObjectName(QStringLiteral("C1"));
    m_header->setGeometry(right, 212, 290, 24);

    dialogLabel(this, "LDate", QStringLiteral("Date column:"), left, 248);
    m_dateColumn = combo(this, "DateColumn", {boxLeft, 244, boxWidth, 24});
    dialogLabel(this, "LDateFormat", QStringLiteral("Dates read:"), right, 248);
    m_dateFormat = combo(this, "DateFormat", {rightBox, 244, boxWidth, 24});
    m_dateFormat->addItems(dateFormats);

    dialogLabel(this, "LDescription", QStringLiteral("Description column:"), left, 280);
    m_description = combo(this, "Description", {boxLeft, 276, boxWidth, 24});
    dialogLabel(this, "LMemo", QStringLiteral("Added to it:"), right, 280);
    m_memo = combo(this, "Memo", {rightBox, 276, boxWidth, 24});

    m_oneAmount = radio(this, "R1", QStringLiteral("One amount column:"), {left, 310, 155, 24});
    m_amount = combo(this, "Amount", {boxLeft, 310, boxWidth, 24});
    m_positive = radio(this, "R3", QStringLiteral("Charges are positive"), {right, 310, 150, 24});
    m_negative =
        radio(this, "R4", QStringLiteral("Charges are negative"), {rightBox, 310, 150, 24});
    m_twoAmounts = radio(this, "R2", QStringLiteral("Charges column:"), {left, 342, 155, 24});
    m_charges = combo(this, "Charges", {boxLeft, 342, boxWidth, 24});
    dialogLabel(this, "LPayments", QStringLiteral("Payments column:"), right, 346);
    m_payments = combo(this, "Payments", {rightBox, 342, boxWidth, 24});

    dialogLabel(this, "LDecimal", QStringLiteral("Decimal separator:"), left, 378);
    m_decimal = combo(this, "Decimal", {boxLeft, 374, boxWidth, 24});
    m_decimal->addItems({QStringLiteral("Point (1234.56)"), QStringLiteral("Comma (1234,56)")});

    // Two groups of two: the layout of the amounts, and their sign.
    auto* layout = new QButtonGroup(this);
    layout->addButton(m_oneAmount);
    layout->addButton(m_twoAmounts);
    auto* sign = new QButtonGroup(this);
    sign->addButton(m_positive);
    sign->addButton(m_negative);

    for (QComboBox* box : {m_dateColumn, m_dateFormat, m_description, m_memo, m_amount, m_charges,
                           m_payments, m_decimal})
        keepWhite(box);

    addButtons("OKBtn", {clientWidth / 2 - 100, 424, 90, 27}, "CancelBtn",
               {clientWidth / 2 + 10, 424, 90, 27}, [this] { OKClick(); });

    connect(m_delimiter, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing)
            showRows();
    });
    connect(m_header, &QCheckBox::toggled, this, [this] {
        if (!m_showing)
            showRows();
    });
    connect(m_oneAmount, &QRadioButton::toggled, this, [this] { showLayout(); });
}

std::optional<CsvMapping> TCsvColumns::choose(const QByteArray& bytes, const QString& cardKey)
{
    m_bytes = bytes;
    const std::optional<CsvMapping> kept = rememberedColumns(cardKey);
    showMapping(kept ? *kept : CsvMapping());
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    const CsvMapping chosen = mapping();
    rememberColumns(cardKey, chosen);
    return chosen;
}

void TCsvColumns::showMapping(const CsvMapping& mapping)
{
    m_showing = true;
    const auto delimiter =
        std::find(std::begin(delimiters), std::end(delimiters), mapping.delimiter);
    m_delimiter->setCurrentIndex(
        delimiter == std::end(delimiters) ? 0 : int(delimiter - std::begin(delimiters)));
    m_header->setChecked(mapping.hasHeader);
    m_showing = false;
    showRows();
    pickColumn(m_dateColumn, mapping.dateColumn);
    const int format = m_dateFormat->findText(mapping.dateFormat);
    m_dateFormat->setCurrentIndex(format >= 0 ? format : 0);
    pickColumn(m_description, mapping.descriptionColumn);
    pickColumn(m_memo, mapping.memoColumn);
    const bool one = mapping.layout == CsvMapping::AmountLayout::OneColumn;
    (one ? m_oneAmount : m_twoAmounts)->setChecked(true);
    pickColumn(m_amount, mapping.amountColumn);
    pickColumn(m_charges, mapping.chargeColumn);
    pickColumn(m_payments, mapping.paymentColumn);
    (mapping.chargesArePositive ? m_positive : m_negative)->setChecked(true);
    m_decimal->setCurrentIndex(mapping.decimalSeparator == u',' ? 1 : 0);
    showLayout();
}

// The file's first rows as the delimiter splits them, and the column boxes
// named after the header row when there is one.
void TCsvColumns::showRows()
{
    const QChar delimiter = delimiters[std::max(0, m_delimiter->currentIndex())];
    const std::vector<QStringList> rows = csvRows(m_bytes, delimiter, shownRows + 1);
    qsizetype columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, row.size());
    const bool header = m_header->isChecked() && !rows.empty();
    QStringList names;
    for (qsizetype c = 0; c < columns; ++c) {
        const QString title = header && c < rows.front().size() ? rows.front()[c] : QString();
        names << (title.isEmpty() ? QStringLiteral("Column %1").arg(c + 1)
                                  : QStringLiteral("%1: %2").arg(c + 1).arg(title));
    }
    m_rows->clear();
    m_rows->setColumnCount(int(columns));
    m_rows->setHorizontalHeaderLabels(names);
    const std::size_t first = header ? 1 : 0;
    m_rows->setRowCount(
        int(std::min<std::size_t>(shownRows, rows.size() - std::min(first, rows.size()))));
    for (int r = 0; r < m_rows->rowCount(); ++r) {
        const QStringList& row = rows[first + std::size_t(r)];
        for (qsizetype c = 0; c < row.size(); ++c)
            m_rows->setItem(r, int(c), new QTableWidgetItem(row[c]));
    }
    for (QComboBox* box : {m_dateColumn, m_description, m_memo, m_amount, m_charges, m_payments}) {
        const int was = columnOf(box);
        box->clear();
        if (box == m_memo)
            box->addItem(QStringLiteral("(none)"), 0);
        for (qsizetype c = 0; c < columns; ++c)
            box->addItem(names[c], int(c + 1));
        pickColumn(box, was);
    }
}

void TCsvColumns::showLayout()
{
    const bool one = m_oneAmount->isChecked();
    m_amount->setEnabled(one);
    m_positive->setEnabled(one);
    m_negative->setEnabled(one);
    m_charges->setEnabled(!one);
    m_payments->setEnabled(!one);
}

CsvMapping TCsvColumns::mapping() const
{
    CsvMapping chosen;
    chosen.delimiter = delimiters[std::max(0, m_delimiter->currentIndex())];
    chosen.hasHeader = m_header->isChecked();
    chosen.dateColumn = columnOf(m_dateColumn);
    chosen.dateFormat = m_dateFormat->currentText();
    chosen.descriptionColumn = columnOf(m_description);
    chosen.memoColumn = columnOf(m_memo);
    const bool one = m_oneAmount->isChecked();
    chosen.layout = one ? CsvMapping::AmountLayout::OneColumn
                        : CsvMapping::AmountLayout::ChargeAndPaymentColumns;
    chosen.amountColumn = one ? columnOf(m_amount) : 0;
    chosen.chargeColumn = one ? 0 : columnOf(m_charges);
    chosen.paymentColumn = one ? 0 : columnOf(m_payments);
    chosen.chargesArePositive = m_positive->isChecked();
    chosen.decimalSeparator = m_decimal->currentIndex() == 1 ? u',' : u'.';
    return chosen;
}

void TCsvColumns::OKClick()
{
    const CsvMapping chosen = mapping();
    QString problem;
    if (chosen.dateColumn < 1)
        problem = QStringLiteral("The file has no columns.");
    else if (!m_oneAmount->isChecked() && chosen.chargeColumn == chosen.paymentColumn)
        problem = QStringLiteral("Charges and payments must be in two different columns.");
    if (!problem.isEmpty()) {
        showMessage(problem);
        return;
    }
    accept();
}
