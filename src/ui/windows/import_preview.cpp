#include "ui/windows/import_preview.h"

#include "core/platform/short_date.h"
#include "core/program/pursewise.h"
#include "core/register/csv_statement.h"
#include "core/register/ofx_statement.h"
#include "core/register/qif_statement.h"
#include "core/register/statement_format.h"
#include "core/register/statement_text.h"
#include "ui/kit/dialog_controls.h"
#include "ui/kit/file_chooser.h"
#include "ui/kit/tick_table.h"
#include "ui/kit/ui.h"
#include "ui/windows/csv_columns.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int clientWidth = 640;
constexpr int clientHeight = 440;

QString kindText(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Charge:
        return QStringLiteral("Charge");
    case EntryKind::Payment:
        return QStringLiteral("Payment");
    case EntryKind::None:
        break;
    }
    return QString();
}

} // namespace

TImportPreview::TImportPreview(Ui& ui, TCsvColumns& columns, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("ImportPreview"), std::nullopt, parent), m_columns(columns),
      m_import(ui.p)
{
    dressStatementDialog(this, QStringLiteral("Import a statement"), clientWidth, clientHeight);

    m_file = dialogLabel(this, "LFile", QString(), 12, 10);
    m_file->setFixedWidth(clientWidth - 24);
    m_table =
        new TickTable("Entries",
                      {QStringLiteral("Date"), QStringLiteral("Description"),
                       QStringLiteral("Amount"), QStringLiteral("Kind"), QStringLiteral("Note")},
                      this);
    m_table->setGeometry(12, 34, clientWidth - 24, 300);
    m_table->setColumnWidth(1, 80);
    m_table->setColumnWidth(2, 205);
    m_table->setColumnWidth(3, 80);
    m_table->setColumnWidth(4, 65);
    keepWhite(m_table);
    m_cleared = new QCheckBox(
        QStringLiteral("Mark the imported entries as having appeared on the monthly statement (X)"),
        this);
    m_cleared->setObjectName(QStringLiteral("C1"));
    m_cleared->setGeometry(12, 342, clientWidth - 24, 22);
    m_count = dialogLabel(this, "LCount", QString(), 12, 370);
    m_count->setFixedWidth(clientWidth - 24);

    addButtons("OKBtn", {clientWidth / 2 - 100, 400, 90, 27}, "CancelBtn",
               {clientWidth / 2 + 10, 400, 90, 27}, [this] { OKClick(); });
    m_okButton->setText(QStringLiteral("Import"));
    setTabChain({m_table, m_cleared, m_okButton, m_cancelButton});

    connect(m_table, &TickTable::tickChanged, this, [this](int row, bool ticked) {
        if (row >= 0 && row < int(m_lines.size()))
            m_lines[std::size_t(row)].ticked = ticked;
        showCount();
    });
}

void TImportPreview::importStatement()
{
    const QString path =
        chooseFile(parentWidget(), FileChoice::Open, QStringLiteral("Import a statement"),
                   QStringLiteral("Statements (*.ofx *.qfx *.qif *.csv *.txt);;"
                                  "All files (*)"));
    if (path.isEmpty())
        return;
    Statement statement;
    bool ready = false;
    handle(m_ui, [&] {
        if (!readStatement(path, statement))
            return;
        m_lines = m_import.preview(statement);
        ready = true;
    });
    if (!ready)
        return;
    showLines(statement.fileName);
    exec();
}

bool TImportPreview::readStatement(const QString& path, Statement& statement)
{
    const QByteArray bytes = StatementText::readStatementBytes(path);
    const QString name = StatementText::fileNameOf(path);
    switch (statementFormatOf(path, bytes)) {
    case StatementFormat::Ofx:
        statement = parseOfx(bytes, name);
        return true;
    case StatementFormat::Qif:
        statement = parseQif(bytes, name);
        return true;
    case StatementFormat::Csv:
        break;
    case StatementFormat::Unknown:
        throw StatementText::fileError(name,
                                       QStringLiteral("not an OFX, QFX, QIF or CSV statement"));
    }
    const std::optional<CsvMapping> mapping = m_columns.choose(bytes, m_ui.p.reg.cardKey);
    if (!mapping)
        return false;
    statement = parseCsv(bytes, name, *mapping);
    return true;
}

void TImportPreview::showLines(const QString& fileName)
{
    m_file->setText(QStringLiteral("Statement: %1, for %2").arg(fileName, m_ui.p.reg.L7));
    m_cleared->setChecked(false);
    m_table->clearRows();
    for (const ImportLine& line : m_lines) {
        const StatementEntry& entry = line.entry;
        const QString amount = entry.kind == EntryKind::None
                                   ? QString()
                                   : QString::fromStdString(m_ui.p.math.CentsToAmount(entry.cents));
        m_table->addRow(line.ticked, line.canTick(),
                        {entry.date.isValid() ? ShortDate::toText(entry.date) : QString(),
                         entry.description, amount, kindText(entry.kind), line.note},
                        {2});
    }
    if (!m_lines.empty())
        m_table->selectRow(0);
    showCount();
}

void TImportPreview::showCount()
{
    const auto ticked = std::count_if(m_lines.begin(), m_lines.end(), [](const ImportLine& line) {
        return line.ticked && line.canTick();
    });
    m_count->setText(
        QStringLiteral("%1 of %2 entries ticked for the import.").arg(ticked).arg(m_lines.size()));
    m_okButton->setEnabled(ticked > 0);
}

void TImportPreview::OKClick()
{
    int posted = 0;
    bool done = false;
    handle(m_ui, [&] {
        posted = m_import.post(m_lines, m_cleared->isChecked());
        done = true;
    });
    if (!done)
        return;
    accept();
    showMessage(posted == 1 ? QStringLiteral("1 entry was imported.")
                            : QStringLiteral("%1 entries were imported.").arg(posted));
}
