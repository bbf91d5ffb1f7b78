#include "ui/windows/print_window.h"
#include "ui/windows/program_windows.h"
#include "core/program/dialog_values.h"
#include "core/platform/clock.h"
#include "core/platform/help.h"
#include "core/platform/short_date.h"
#include "support/windows_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Does `act` to the first modal dialog named `name` once it is open, while
// `open` runs the nested event loop that shows it.
void whenDialogOpens(const QString& name, const std::function<void(QDialog*)>& act,
                     const std::function<void()>& open, bool* seen)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == name) {
            poll.stop();
            *seen = true;
            act(dialog);
        }
    });
    poll.start(20);
    // A dialog that never shows must not leave the test waiting forever.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    safety.start(10000);
    open();
}

// The real windows over an empty data folder on 8 December 2026.
class PrintWindow : public RealWindows
{
protected:
    Tpursepri& window() { return *static_cast<Tpursepri*>(m_windows->window("pursepri")); }

    template <typename T>
    T* control(const char* name)
    {
        return window().findChild<T*>(QString::fromLatin1(name));
    }

    QString ur() { return control<QLineEdit>("ur")->text(); }
    QString htx() { return control<QLineEdit>("htx")->text(); }
    QTextEdit* view() { return control<QTextEdit>("quillfenp"); }

    // Adds a card, opens its register and adds two charges, which saves the
    // year ledger file of 2026.
    void openCardWithEntries()
    {
        Ui& ui = m_windows->ui();
        m_state.tc.AddCard(sampleCard(QStringLiteral("Visa")));
        m_state.sg1.setCurrentRow(1);
        m_state.cardList.SelectFromGrid();
        ui.mainCommands.B1Click();
        ASSERT_TRUE(m_state.reg.shown);
        for (const char* description : {"Groceries", "Books"}) {
            ASSERT_TRUE(ui.registerCommands.bb3Click());
            EntryValues entry;
            entry.date = QDate(2026, 12, 1);
            entry.description = QString::fromLatin1(description);
            entry.charge = QStringLiteral("12.50");
            m_state.tc.AddCharge(entry);
        }
    }

    // A printer that writes a PDF file instead of paper.
    static void toPdf(QPrinter& printer, const QString& file)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
};

TEST_F(PrintWindow, HasEveryControlByName)
{
    for (const char* name : {"Panel1", "gf", "Button1", "BitBtn1", "ur", "htx", "Label1", "Label2",
                             "Label3", "quillfenp"})
        EXPECT_NE(control<QWidget>(name), nullptr) << name;
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Quillfen Pursewise"));
    EXPECT_EQ(control<QPushButton>("gf")->text(), QStringLiteral("1. Click"));
    EXPECT_EQ(control<QPushButton>("Button1")->text(), QStringLiteral("2. Open File to Print."));
    EXPECT_EQ(control<QPushButton>("BitBtn1")->text(), QStringLiteral("Print"));
    EXPECT_EQ(control<QPushButton>("BitBtn1")->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(control<QPushButton>("BitBtn1")->font().pixelSize(), 13);
}

TEST_F(PrintWindow, ShowsTheInstructionsLineByLineExactly)
{
    EXPECT_EQ(control<QLabel>("Label1")->text().split(u'\n'),
              (QStringList{QStringLiteral("1. Click \"1. Click\" button"),
                           QStringLiteral("2. Click 2. \"Open File to Print\" button"),
                           QStringLiteral("3. Select the file listed below, but leave out the "
                                          "spaces, if any.")}));
    EXPECT_EQ(control<QLabel>("Label2")->text().split(u'\n'),
              (QStringList{
                  QStringLiteral("Note: The last two numbers of the file, is the year."),
                  QStringLiteral(" If you want to print off the info, for this card, for another "
                                 "year, "),
                  QStringLiteral("just open the file with the correct last two numbers.")}));
    EXPECT_EQ(
        control<QLabel>("Label3")->text().split(u'\n'),
        (QStringList{
            QStringLiteral("              >There are two numbers in front of each item. <"),
            QStringLiteral(
                "The first number you see, in front of each item, go by the chart here:"),
            QString(47, u'_'), QStringLiteral("1 = Date"), QStringLiteral("2 = Description "),
            QStringLiteral("3 = Charge or 4 = Payment"), QStringLiteral("5 =  X (if selected)"),
            QStringLiteral("6 = Bal.Owed"), QString(48, u'_'),
            QStringLiteral("The second number you can ignore."), QString(),
            QStringLiteral("The items in the file you load below, are in the above order:")}));
    for (const char* name : {"Label1", "Label2", "Label3"})
        EXPECT_EQ(control<QLabel>(name)->textFormat(), Qt::PlainText) << name;
}

TEST_F(PrintWindow, LaysOutThePanelAboveTheViewWithTheKeyBoxLeftOfTheHint)
{
    window().show();
    const QWidget* panel = control<QWidget>("Panel1");
    EXPECT_EQ(panel->geometry(), QRect(0, 0, window().width(), 197));
    EXPECT_EQ(view()->geometry(), QRect(0, 197, window().width(), window().height() - 197));

    const auto* urBox = control<QLineEdit>("ur");
    const auto* htxBox = control<QLineEdit>("htx");
    EXPECT_EQ(urBox->width(), 13);
    EXPECT_EQ(urBox->y(), htxBox->y());
    EXPECT_EQ(urBox->geometry().right() + 1, htxBox->x());
    EXPECT_FALSE(urBox->hasFrame());
    EXPECT_FALSE(htxBox->hasFrame());
    EXPECT_FALSE(urBox->isReadOnly());
    EXPECT_TRUE(htxBox->isReadOnly());
    EXPECT_EQ(urBox->palette().color(QPalette::Base), QColor(0xF0, 0xC1, 0xF2));
    EXPECT_EQ(htxBox->palette().color(QPalette::Base), QColor(0xF0, 0xC1, 0xF2));
    EXPECT_EQ(control<QLabel>("Label3")->palette().color(QPalette::Window),
              QColor(0xFE, 0xE6, 0xB8));

    // Nothing in the panel overlaps or sticks out of it.
    const QList<QWidget*> parts = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* part : parts) {
        EXPECT_TRUE(panel->rect().contains(part->geometry())) << part->objectName().toStdString();
        for (const QWidget* other : parts) {
            if (part != other) {
                EXPECT_FALSE(part->geometry().intersects(other->geometry()))
                    << part->objectName().toStdString() << " " << other->objectName().toStdString();
            }
        }
    }
}

TEST_F(PrintWindow, TheViewIsWhiteEditableAndAlwaysHasItsVerticalScrollBar)
{
    EXPECT_FALSE(view()->isReadOnly());
    EXPECT_EQ(view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(view()->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(view()->toPlainText().isEmpty());
}

TEST_F(PrintWindow, OpensMaximisedAndModeless)
{
    window().show();
    EXPECT_TRUE(window().isMaximized());
    EXPECT_EQ(window().windowModality(), Qt::NonModal);
    EXPECT_TRUE(window().isWindow());
}

TEST_F(PrintWindow, TheHintAtStartUpIsTheCurrentYearAndDat)
{
    EXPECT_EQ(htx(), QStringLiteral("26.dat"));
    EXPECT_EQ(ur(), QString());
}

TEST_F(PrintWindow, OneClickPutsTheOpenCardsKeyBesideTheHint)
{
    openCardWithEntries();
    control<QPushButton>("gf")->click();
    EXPECT_EQ(ur(), m_state.cardList.selectedKey());
    EXPECT_FALSE(ur().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(ur() + htx())) << (ur() + htx()).toStdString();
}

TEST_F(PrintWindow, OneClickWithNoCardSelectedEmptiesTheKeyBox)
{
    control<QLineEdit>("ur")->setText(QStringLiteral("7"));
    m_state.cardList.setSelectedKey(QString());
    control<QPushButton>("gf")->click();
    EXPECT_EQ(ur(), QString());
}

TEST_F(PrintWindow, TheHintFollowsNeitherTheCardNorTheYearShown)
{
    openCardWithEntries();
    m_state.main.SelectedYr = QStringLiteral("25");
    m_windows->ui().refresh();
    EXPECT_EQ(htx(), QStringLiteral("26.dat"));
}

TEST_F(PrintWindow, OpeningALedgerFileShowsItsCountLineFirstThenItsCells)
{
    openCardWithEntries();
    control<QPushButton>("gf")->click();
    window().openFile(ur() + htx());
    const QStringList lines = view()->toPlainText().split(u'\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("2"));
    EXPECT_EQ(lines[1], QStringLiteral("1 1 12/1/26"));
    EXPECT_EQ(lines[2], QStringLiteral("2 1 Groceries"));
    EXPECT_TRUE(lines.contains(QStringLiteral("2 2 Books")));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintWindow, OpeningAFileReplacesEverythingTheViewHeldIncludingTyping)
{
    putBytes(QStringLiteral("126.dat"), "1\r\n2 1 Rent\r\n");
    view()->setPlainText(QStringLiteral("typed by the user"));
    window().openFile(QStringLiteral("126.dat"));
    EXPECT_EQ(view()->toPlainText(), QStringLiteral("1\n2 1 Rent"));
}

TEST_F(PrintWindow, AFileThatCannotBeOpenedIsReportedAndTheViewKept)
{
    view()->setPlainText(QStringLiteral("1\n2 1 Rent"));
    window().openFile(QStringLiteral("999.dat"));
    EXPECT_EQ(messages.shown(), QStringList{QStringLiteral("Cannot open file 999.dat")});
    EXPECT_EQ(view()->toPlainText(), QStringLiteral("1\n2 1 Rent"));
}

TEST_F(PrintWindow, ShowsAnRtfFileFormatted)
{
    putBytes(QStringLiteral("note.rtf"), "{\\rtf1\\ansi {\\b Paid} in full\\par}");
    window().openFile(QStringLiteral("note.rtf"));
    EXPECT_EQ(view()->toPlainText(), QStringLiteral("Paid in full"));
    QTextCursor cursor(view()->document());
    cursor.setPosition(2);
    EXPECT_TRUE(cursor.charFormat().font().bold());
    cursor.setPosition(8);
    EXPECT_FALSE(cursor.charFormat().font().bold());
}

TEST_F(PrintWindow, APlainFileAfterAnRtfFileKeepsNoneOfItsLook)
{
    putBytes(QStringLiteral("note.rtf"), "{\\rtf1\\ansi \\qc\\b\\fs40 Paid\\par}");
    putBytes(QStringLiteral("126.dat"), "1\r\n2 1 Rent\r\n");
    window().openFile(QStringLiteral("note.rtf"));
    window().openFile(QStringLiteral("126.dat"));
    const QTextBlock first = view()->document()->firstBlock();
    EXPECT_EQ(first.text(), QStringLiteral("1"));
    EXPECT_FALSE(first.charFormat().font().bold());
    EXPECT_NE(first.blockFormat().alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QTextCursor cursor(view()->document());
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().font().pixelSize(), 11);
}

TEST_F(PrintWindow, TheOpenDialogLoadsTheFileTheUserPicks)
{
    putBytes(QStringLiteral("126.dat"), "1\r\n2 1 Rent\r\n");
    const QString file = QFileInfo(QStringLiteral("126.dat")).absoluteFilePath();
    bool seen = false;
    whenDialogOpens(
        QStringLiteral("tud"),
        [&](QDialog* dialog) {
            auto* open = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(open, nullptr);
            EXPECT_TRUE(open->nameFilters().isEmpty() ||
                        open->nameFilters() == QStringList{QStringLiteral("All Files (*)")});
            // Typed into the name box, as the folder may still be being listed.
            auto* name = open->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(file);
            EXPECT_EQ(open->selectedFiles(), QStringList{file});
            dialog->accept();
        },
        [&] { control<QPushButton>("Button1")->click(); }, &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(view()->toPlainText(), QStringLiteral("1\n2 1 Rent"));
}

TEST_F(PrintWindow, CancellingTheOpenDialogLeavesTheViewAsItWas)
{
    view()->setPlainText(QStringLiteral("kept"));
    bool seen = false;
    whenDialogOpens(
        QStringLiteral("tud"), [](QDialog* dialog) { dialog->reject(); },
        [&] { control<QPushButton>("Button1")->click(); }, &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(view()->toPlainText(), QStringLiteral("kept"));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintWindow, CancellingThePrintDialogPrintsNothing)
{
    view()->setPlainText(QStringLiteral("1\n2 1 Rent"));
    toPdf(window().printer(), path() + QStringLiteral("/cancelled.pdf"));
    bool seen = false;
    whenDialogOpens(
        QStringLiteral("hhf"), [](QDialog* dialog) { dialog->reject(); },
        [&] { control<QPushButton>("BitBtn1")->click(); }, &seen);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("cancelled.pdf")));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintWindow, ConfirmingThePrintDialogPrintsTheViewToTheChosenPrinter)
{
    view()->setPlainText(QStringLiteral("1\n2 1 Rent"));
    const QString file = path() + QStringLiteral("/printed.pdf");
    toPdf(window().printer(), file);
    bool seen = false;
    whenDialogOpens(
        QStringLiteral("hhf"), [](QDialog* dialog) { dialog->accept(); },
        [&] { control<QPushButton>("BitBtn1")->click(); }, &seen);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    EXPECT_TRUE(bytesOf(file).startsWith("%PDF"))
        << window().printer().outputFileName().toStdString();
}

TEST_F(PrintWindow, F1AsksForNoHelp)
{
    int topic = 0;
    const HelpSink previous = setHelpSink([&](int t) { topic = t; });
    window().show();
    QTest::keyClick(&window(), Qt::Key_F1);
    QTest::keyClick(view(), Qt::Key_F1);
    setHelpSink(previous);
    EXPECT_EQ(topic, 0);
}

TEST_F(PrintWindow, ClosingOnlyHidesItAndKeepsWhatItShows)
{
    window().show();
    control<QLineEdit>("ur")->setText(QStringLiteral("3"));
    view()->setPlainText(QStringLiteral("kept"));
    window().close();
    EXPECT_FALSE(window().isVisible());
    window().show();
    EXPECT_EQ(ur(), QStringLiteral("3"));
    EXPECT_EQ(view()->toPlainText(), QStringLiteral("kept"));
}

// printText on a PDF printer, the way the print dialog's "Print to File
// (PDF)" leaves it.
class PrintingText : public InTempDir
{
protected:
    QString print(const QString& text, const QString& name = QStringLiteral("out.pdf"))
    {
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("MS Sans Serif")));
        document.setPlainText(text);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path() + u'/' + name);
        printText(document, printer);
        m_docName = printer.docName();
        return path() + u'/' + name;
    }

    static int pageCount(const QByteArray& pdf)
    {
        return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                   pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
    }

    // The text of a PDF, when poppler's pdftotext is installed.
    static QString pdfText(const QString& file)
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            return {};
        QProcess process;
        process.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
        process.waitForFinished(20000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString m_docName = QStringLiteral("<unset>");
};

TEST_F(PrintingText, WritesAPdfThatHoldsTheText)
{
    const QString file = print(QStringLiteral("2\n1 1 12/1/26\n2 1 Groceries"));
    const QByteArray pdf = bytesOf(file);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_EQ(pageCount(pdf), 1);
    EXPECT_TRUE(pdf.contains("/FontFile") || pdf.contains("/Font"));
    const QString text = pdfText(file);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(u"2 1 Groceries")) << text.toStdString();
    }
}

TEST_F(PrintingText, PrintsWithAnEmptyDocumentTitle)
{
    print(QStringLiteral("x"));
    EXPECT_EQ(m_docName, QString());
    EXPECT_TRUE(bytesOf(path() + QStringLiteral("/out.pdf")).contains("/Title ()"));
}

TEST_F(PrintingText, StartsANewPageWheneverTheTextDoesNotFit)
{
    QStringList lines;
    for (int row = 1; row <= 400; ++row)
        lines << QStringLiteral("2 %1 Entry number %1").arg(row);
    const QByteArray pdf = bytesOf(print(lines.join(u'\n')));
    EXPECT_GT(pageCount(pdf), 1);
    const QString text = pdfText(path() + QStringLiteral("/out.pdf"));
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(u"2 1 Entry number 1\n")) << text.left(300).toStdString();
        EXPECT_TRUE(text.contains(u"2 400 Entry number 400"));
    }
}

TEST_F(PrintingText, AFailingPrinterIsReportedByItsOutputFile)
{
    try {
        print(QStringLiteral("x"), QStringLiteral("no such folder/out.pdf"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("Could not print to \"%1/no such folder/out.pdf\"").arg(path()));
    }
}

} // namespace
