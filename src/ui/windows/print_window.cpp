#include "ui/windows/print_window.h"

#include "core/platform/user_error.h"
#include "core/program/print_file.h"
#include "ui/kit/file_chooser.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/ui.h"

#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int panelHeight = 197;
constexpr int left = 8;

// The instructions, line by line; the inner quotation marks and the blanks at
// the ends of lines belong to the text.
const QStringList label1Lines = {
    QStringLiteral("1. Click \"1. Click\" button"),
    QStringLiteral("2. Click 2. \"Open File to Print\" button"),
    QStringLiteral("3. Select the file listed below, but leave out the spaces, if any.")};

const QStringList label2Lines = {
    QStringLiteral("Note: The last two numbers of the file, is the year."),
    QStringLiteral(" If you want to print off the info, for this card, for another year, "),
    QStringLiteral("just open the file with the correct last two numbers.")};

// How to read a year ledger file: column number, row number, cell text.
const QStringList label3Lines = {
    QStringLiteral("              >There are two numbers in front of each item. <"),
    QStringLiteral("The first number you see, in front of each item, go by the chart here:"),
    QString(47, u'_'),
    QStringLiteral("1 = Date"),
    QStringLiteral("2 = Description "),
    QStringLiteral("3 = Charge or 4 = Payment"),
    QStringLiteral("5 =  X (if selected)"),
    QStringLiteral("6 = Bal.Owed"),
    QString(48, u'_'),
    QStringLiteral("The second number you can ignore."),
    QString(),
    QStringLiteral("The items in the file you load below, are in the above order:")};

QLabel* instructions(QWidget* parent, const char* name, const QStringList& lines, QPoint at)
{
    auto* label = new QLabel(lines.join(u'\n'), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect box)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    box.setWidth(qMax(box.width(), b->sizeHint().width()));
    b->setGeometry(box);
    return b;
}

QLineEdit* hintBox(QWidget* parent, const char* name, QRect box)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFrame(false);
    edit->setGeometry(box);
    setBackground(edit, designColour(15909360));
    return edit;
}

// The screen resolution the text is laid out in when it has no paint device
// of its own, as QTextDocument does.
QSizeF screenDpi()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
    return {96, 96};
}

} // namespace

void printText(const QTextDocument& text, QPrinter& printer)
{
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    const UserError failed(QStringLiteral("Could not print to \"%1\"")
                               .arg(QDir::toNativeSeparators(target))
                               .toStdString());
    if (!printer.isValid())
        throw failed;
    printer.setDocName(QString());

    // Lay a copy out in screen pixels on pages the size of the printable
    // area; print() then scales each page onto the paper. So a font given in
    // pixels (the view's 11-pixel font) prints at its size on the screen,
    // and no margin or page number is added.
    std::unique_ptr<QTextDocument> pages(text.clone());
    pages->setDocumentMargin(0);
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const QSizeF dpi = screenDpi();
    pages->setPageSize(QSizeF(area.width() * dpi.width() / printer.logicalDpiX(),
                              area.height() * dpi.height() / printer.logicalDpiY()));
    pages->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw failed;
}

Tpursepri::Tpursepri(Ui& ui, QWidget* parent) : QWidget(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("pursepri"));
    setWindowTitle(QStringLiteral("Quillfen Pursewise"));
    setWindowIcon(programIcon());
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    resize(800, 600);
    // Shown maximised, also by a plain show().
    setWindowState(Qt::WindowMaximized);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setFixedHeight(panelHeight);
    buildPanel(panel);
    layout->addWidget(panel);

    m_view = new QTextEdit(this);
    m_view->setObjectName(QStringLiteral("quillfenp"));
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setLineWrapMode(QTextEdit::WidgetWidth);
    setBackground(m_view, Qt::white);
    m_view->document()->setDefaultFont(font());
    layout->addWidget(m_view, 1);

    // The hint is the one of start-up, when the main window had set the year
    // and no card was selected yet: "26.dat" in 2026.
    m_htx->setText(m_ui.printHintAtStart);
}

Tpursepri::~Tpursepri() = default;

void Tpursepri::buildPanel(QWidget* panel)
{
    auto* gf = button(panel, "gf", QStringLiteral("1. Click"), QRect(left, 8, 75, 25));
    auto* open = button(panel, "Button1", QStringLiteral("2. Open File to Print."),
                        QRect(gf->geometry().right() + 9, 8, 121, 25));
    auto* print = new QPushButton(QStringLiteral("Print"), panel);
    print->setObjectName(QStringLiteral("BitBtn1"));
    print->setFont(designFont(QStringLiteral("Times New Roman"), 13));
    print->setGeometry(open->geometry().right() + 9, 8, 75, 25);
    connect(gf, &QPushButton::clicked, this, &Tpursepri::gfClick);
    connect(open, &QPushButton::clicked, this, &Tpursepri::Button1Click);
    connect(print, &QPushButton::clicked, this, &Tpursepri::BitBtn1Click);

    auto* label1 = instructions(panel, "Label1", label1Lines, QPoint(left, 42));

    // ur and htx read together as one file name: "3" and "26.dat".
    const int boxHeight = fontMetrics().height() + 4;
    const int boxTop = label1->geometry().bottom() + 7;
    m_ur = hintBox(panel, "ur", QRect(left, boxTop, 13, boxHeight));
    m_htx = hintBox(panel, "htx", QRect(left + 13, boxTop, 89, boxHeight));
    m_htx->setReadOnly(true);
    m_htx->setText(QStringLiteral("04.dat"));

    auto* label2 = instructions(panel, "Label2", label2Lines, QPoint(left, boxTop + boxHeight + 9));

    const int leftColumnEnd = qMax(label1->geometry().right(), label2->geometry().right());
    auto* label3 =
        instructions(panel, "Label3", label3Lines, QPoint(qMax(420, leftColumnEnd + 32), 8));
    setBackground(label3, designColour(12117758));
}

void Tpursepri::gfClick()
{
    m_ur->setText(m_ui.p.cardList.selectedKey());
}

void Tpursepri::Button1Click()
{
    if (const auto answer = answeredFile(FileChoice::Open, QStringLiteral("Open"))) {
        if (*answer)
            openFile(**answer);
        return;
    }
    QFileDialog tud(this);
    tud.setObjectName(QStringLiteral("tud"));
    tud.setFileMode(QFileDialog::ExistingFile);
    tud.setAcceptMode(QFileDialog::AcceptOpen);
    if (tud.exec() != QDialog::Accepted || tud.selectedFiles().isEmpty())
        return;
    openFile(tud.selectedFiles().constFirst());
}

void Tpursepri::openFile(const QString& fileName)
{
    handle(m_ui, [&] {
        const ViewText content = readViewText(fileName);
        m_view->clear();
        m_view->setCurrentCharFormat(QTextCharFormat());
        if (content.rich)
            m_view->setHtml(content.text);
        else
            m_view->setPlainText(content.text);
    });
}

QPrinter& Tpursepri::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void Tpursepri::BitBtn1Click()
{
    QPrintDialog hhf(&printer(), this);
    hhf.setObjectName(QStringLiteral("hhf"));
    if (hhf.exec() != QDialog::Accepted)
        return;
    handle(m_ui, [&] { printText(*m_view->document(), printer()); });
}
