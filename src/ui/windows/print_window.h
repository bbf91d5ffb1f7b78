#pragma once

#include <QWidget>

#include <memory>

class QLineEdit;
class QPrinter;
class QTextDocument;
class QTextEdit;
struct Ui;

// Prints the whole text as one job with no document title, laid out on the
// printer's whole printable area in the text's own fonts and split into pages
// where it does not fit. Raises "Could not print to "NAME"" when the printer
// fails (for a PDF printer NAME is the output file).
void printText(const QTextDocument& text, QPrinter& printer);

// The print window: it shows a file (a card's year ledger file) as text in
// an editable view and prints that text. Three numbered buttons lead the user
// through it. Modeless, made once at start-up; closing it only hides it, so
// what it shows stays for the next showing. It writes no file.
class Tpursepri : public QWidget
{
    Q_OBJECT

public:
    explicit Tpursepri(Ui& ui, QWidget* parent = nullptr);
    ~Tpursepri() override;

    // "1. Click": the selected card's key into ur, empty with no card selected.
    void gfClick();
    // "2. Open File to Print.": asks for a file and shows it; cancel keeps all.
    void Button1Click();
    // "Print": asks for a printer and prints the view; cancel prints nothing.
    void BitBtn1Click();

    // Replaces the view's whole content with the file's; a file that cannot
    // be read is reported and the view keeps what it had.
    void openFile(const QString& fileName);

    // The printer the print dialog sets up, made at first use and kept, so the
    // user's choices stay for the next print.
    QPrinter& printer();

private:
    void buildPanel(QWidget* panel);

    Ui& m_ui;
    QLineEdit* m_ur = nullptr;
    QLineEdit* m_htx = nullptr;
    QTextEdit* m_view = nullptr;
    // Made at the first print; keeps the user's printer and settings after.
    std::unique_ptr<QPrinter> m_printer;
};
