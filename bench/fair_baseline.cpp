// The fair start-up baseline: the program's eight windows made with Qt alone,
// with the same kinds and numbers of widgets, the same places, fonts and
// texts, and the card list's 24 rows, but no program logic and no data files.
// The parts were written from pursewise_widget_inventory's list of the
// program's windows (widget_inventory.cpp); Qt's own parts of a widget (a
// table's headers and scroll bars) come with it. Only the main window is shown.
// With PURSEWISE_FIRST_PAINT_EXIT set it reports its first paint and ends
// (ui/kit/first_paint_probe.h), as the program does.
//
// With --open-and-insert it goes on after the main window's first paint
// through what opening card 1's register of 999 entries and inserting one
// charge shows, each part after the paint of the one before: the ledger
// filled with 999 entries' texts and the register shown, the entry dialog
// shown over it, then the dialog closed and a row put in at the top of the
// ledger. It then prints the moment ("done 123456789") and ends.

#include "ui/kit/first_paint_probe.h"
#include "ui/kit/fonts.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace {

enum class Kind
{
    Window,
    Dialog,
    Widget,
    Frame,
    Label,
    Picture,
    LineEdit,
    PushButton,
    ToolButton,
    RadioButton,
    CheckBox,
    GroupBox,
    Table,
    List,
    TextEdit
};

struct Font
{
    const char* family;
    double points;
    int pixels;
    bool bold;
};

// No font of its own: the part's parent's.
constexpr Font inherited{nullptr, 0, 0, false};

struct Part
{
    int depth;
    Kind kind;
    const char* name;
    QRect place;
    Font font; // where it differs from the parent's
    const char* text;
    bool shown;
};

// Depth 0 is a window of its own; every other part belongs to the nearest
// part above it with a smaller depth.
const Part parts[] = {
    {0,
     Kind::Window,
     "Main",
     {2, 2, 656, 491},
     {"Bookman Old Style", 0, 16, false},
     "Quillfen Pursewise.",
     true},
    {1, Kind::Widget, "TitleStrip", {0, 0, 656, 19}, inherited, "", true},
    {1, Kind::Widget, "ClientArea", {0, 19, 656, 472}, inherited, "", true},
    {2, Kind::Frame, "ProPanel1", {0, 0, 656, 25}, inherited, "", true},
    {3, Kind::Label, "LMuHelp", {0, 1, 47, 22}, inherited, " Help ", true},
    {3, Kind::Label, "LAbout", {47, 1, 57, 22}, inherited, " About ", true},
    {3, Kind::Label, "Label3", {104, 1, 123, 22}, inherited, " Special Verses ", true},
    {3, Kind::Label, "LSearch", {227, 1, 65, 22}, inherited, " Search ", true},
    {3, Kind::Label, "LReminders", {292, 1, 94, 22}, inherited, " Reminders ", true},
    {3, Kind::Label, "LUndo", {606, -2, 17, 29}, {"Bookman Old Style", 0, 20, true}, "↶", true},
    {3, Kind::Label, "LRedo", {631, -2, 17, 29}, {"Bookman Old Style", 0, 20, true}, "↷", true},
    {2, Kind::Frame, "Panel1", {0, 25, 656, 78}, inherited, "", true},
    {3, Kind::Picture, "Image1", {45, 4, 95, 70}, inherited, "", true},
    {3,
     Kind::Label,
     "Label1",
     {269, 8, 118, 26},
     {"Comic Sans MS", 0, 22, true},
     "Pursewise --",
     true},
    {3,
     Kind::Label,
     "Label2",
     {269, 42, 118, 22},
     {"Georgia", 0, 14, true},
     "At Your Service!",
     true},
    {2,
     Kind::Label,
     "Panel3",
     {0, 103, 656, 29},
     {"Georgia", 0, 14, true},
     "C A R D    L I S T",
     true},
    {2, Kind::Table, "sg1", {0, 132, 656, 188}, {"Bookman Old Style", 0, 14, false}, "", true},
    {2, Kind::PushButton, "B1", {7, 327, 167, 25}, inherited, "&Open Selected Card", true},
    {2, Kind::PushButton, "B2", {181, 327, 113, 25}, inherited, "&Add a Card", true},
    {2, Kind::PushButton, "B3", {301, 327, 180, 25}, inherited, "&Delete Selected Card", true},
    {2, Kind::PushButton, "B4", {488, 327, 161, 25}, inherited, "&Edit Selected Card", true},
    {2, Kind::Frame, "Panel2", {0, 370, 656, 102}, inherited, "", true},
    {3,
     Kind::Label,
     "L1",
     {134, 15, 308, 22},
     inherited,
     "Total Credit Limit for All Accounts     $ ",
     true},
    {3,
     Kind::LineEdit,
     "E1",
     {443, 15, 82, 17},
     {"Bookman Old Style", 0, 12, false},
     "21600000.00",
     true},
    {3,
     Kind::Label,
     "L2",
     {134, 43, 308, 22},
     inherited,
     "Total Balance Owed on All Accounts  $ ",
     true},
    {3, Kind::LineEdit, "E2", {443, 43, 82, 17}, {"Bookman Old Style", 0, 14, false}, "0.00", true},
    {3,
     Kind::Label,
     "L3",
     {134, 71, 310, 22},
     inherited,
     "Total Available from All Accounts       $ ",
     true},
    {3,
     Kind::LineEdit,
     "E3",
     {445, 71, 82, 17},
     {"Bookman Old Style", 0, 12, false},
     "21600000.00",
     true},
    {3, Kind::LineEdit, "CurrentYr", {0, 0, 100, 30}, inherited, "26", false},
    {3, Kind::LineEdit, "SelectedYr", {0, 0, 100, 30}, inherited, "26", false},
    {1, Kind::Widget, "focusMark", {0, 0, 100, 30}, inherited, "", false},
    {0,
     Kind::Window,
     "Form1",
     {0, 0, 640, 480},
     {"Bookman Old Style", 0, 13, false},
     "Quillfen Pursewise",
     false},
    {1, Kind::Widget, "TitleStrip", {0, 0, 100, 19}, inherited, "", true},
    {1, Kind::Widget, "ClientArea", {0, 19, 632, 453}, inherited, "", true},
    {2, Kind::Frame, "ProPanel1", {0, 0, 632, 24}, inherited, "", true},
    {3, Kind::Label, "LHelp", {30, 2, 30, 18}, inherited, "Help", true},
    {3, Kind::Label, "LAbout", {104, 2, 39, 18}, inherited, "About", true},
    {3, Kind::Label, "LImport", {173, 2, 44, 18}, inherited, "Import", true},
    {3, Kind::Label, "LReconcile", {247, 2, 60, 18}, inherited, "Reconcile", true},
    {3, Kind::Label, "LReport", {337, 2, 44, 18}, inherited, "Report", true},
    {3, Kind::Label, "LExport", {411, 2, 44, 18}, inherited, "Export", true},
    {3, Kind::Label, "LChart", {485, 2, 38, 18}, inherited, "Chart", true},
    {3, Kind::Label, "LUndo", {584, -1, 16, 27}, {"Bookman Old Style", 0, 19, true}, "↶", true},
    {3, Kind::Label, "LRedo", {608, -1, 16, 27}, {"Bookman Old Style", 0, 19, true}, "↷", true},
    {2, Kind::Frame, "Panel2", {0, 24, 632, 429}, inherited, "", true},
    {3, Kind::Label, "L7", {17, 20, 12, 25}, {"Tahoma", 0, 21, true}, "", true},
    {3, Kind::Label, "L8", {345, 20, 61, 25}, {"Tahoma", 0, 21, true}, "Year:", true},
    {3, Kind::LineEdit, "EYr", {426, 20, 43, 25}, {"Tahoma", 0, 21, true}, "", true},
    {3, Kind::Label, "Label1", {16, 64, 125, 18}, inherited, "Date Card Expires: ", true},
    {3, Kind::LineEdit, "Edit1", {142, 64, 72, 18}, inherited, "", true},
    {3, Kind::Label, "Label8", {16, 87, 37, 18}, inherited, "Rate: ", true},
    {3, Kind::LineEdit, "E1", {54, 87, 20, 18}, {"Bookman Old Style", 0, 5, false}, "", true},
    {3, Kind::Label, "Label18", {75, 87, 12, 18}, inherited, "%", true},
    {3, Kind::Label, "Label9", {16, 110, 121, 18}, inherited, "Introductory Rate: ", true},
    {3, Kind::LineEdit, "E2", {138, 110, 22, 18}, {"Bookman Old Style", 0, 6, false}, "", true},
    {3, Kind::Label, "Label19", {161, 110, 29, 18}, inherited, "%.   ", true},
    {3, Kind::Label, "Label10", {191, 110, 57, 18}, inherited, "Expires: ", true},
    {3, Kind::LineEdit, "E3", {249, 110, 72, 18}, inherited, "", true},
    {3,
     Kind::Label,
     "Label11",
     {16, 133, 215, 18},
     inherited,
     "Day of Month Payments are Due: ",
     true},
    {3, Kind::LineEdit, "E4", {232, 133, 28, 18}, {"Bookman Old Style", 0, 14, false}, "", true},
    {3, Kind::Label, "Label14", {345, 64, 93, 18}, inherited, "Credit Limit: $", true},
    {3, Kind::LineEdit, "E5", {439, 64, 71, 18}, inherited, "", true},
    {3, Kind::Label, "Label15", {345, 87, 44, 18}, inherited, "Owe: $", true},
    {3, Kind::LineEdit, "E6", {390, 87, 77, 18}, {"Bookman Old Style", 0, 14, false}, "", true},
    {3, Kind::Label, "Label16", {345, 110, 98, 18}, inherited, "Available Yet: $", true},
    {3, Kind::LineEdit, "E7", {444, 110, 74, 18}, inherited, "", true},
    {3, Kind::Label, "Label17", {345, 133, 179, 18}, inherited, "Reconciled Balance Owed: $", true},
    {3, Kind::LineEdit, "E8", {525, 133, 72, 18}, inherited, "", true},
    {3,
     Kind::Table,
     "StringGrid1",
     {4, 232, 624, 193},
     {"Bookman Old Style", 0, 11, false},
     "",
     true},
    {3, Kind::Table, "BeginBalGrid", {0, 0, 100, 30}, inherited, "", false},
    {3, Kind::Label, "Panel1", {203, 308, 225, 41}, {"Arial", 0, 24, true}, "Overdrawn", false},
    {3, Kind::Frame, "Panel3", {4, 170, 624, 62}, inherited, "", true},
    {4, Kind::ToolButton, "BB3", {5, 7, 76, 50}, inherited, "&Add", true},
    {4, Kind::ToolButton, "BB4", {82, 7, 76, 50}, inherited, "&Insert", true},
    {4, Kind::ToolButton, "BB5", {159, 7, 76, 50}, inherited, "&Delete", true},
    {4, Kind::ToolButton, "BB6", {236, 7, 76, 50}, inherited, "&Edit", true},
    {4, Kind::ToolButton, "BB7", {313, 7, 76, 50}, inherited, "&Toggle X", true},
    {4, Kind::ToolButton, "BB8", {390, 7, 76, 50}, inherited, "&Year", true},
    {4, Kind::ToolButton, "BB9", {467, 7, 76, 50}, inherited, "&Print Page", true},
    {4, Kind::ToolButton, "BB10", {544, 7, 76, 50}, inherited, "&Close", true},
    {1, Kind::Widget, "focusMark", {0, 0, 100, 30}, inherited, "", false},
    {0,
     Kind::Dialog,
     "AddOrEditCard",
     {0, 0, 464, 359},
     {"MS Sans Serif", 0, 11, false},
     "",
     false},
    {1, Kind::Frame, "Bevel1", {29, 11, 400, 289}, inherited, "", true},
    {1,
     Kind::Label,
     "Label1",
     {40, 24, 94, 19},
     {"Trebuchet MS", 0, 16, false},
     "Name for Card :",
     true},
    {1, Kind::Label, "Label2", {40, 86, 32, 19}, {"Trebuchet MS", 0, 16, false}, "Rate:", true},
    {1, Kind::Label, "Label8", {117, 86, 12, 19}, {"Trebuchet MS", 0, 16, false}, "%", true},
    {1,
     Kind::Label,
     "Label4",
     {40, 112, 105, 19},
     {"Trebuchet MS", 0, 16, false},
     "Introductory Rate:",
     true},
    {1, Kind::Label, "Label9", {193, 113, 12, 19}, {"Trebuchet MS", 0, 16, false}, "%", true},
    {1,
     Kind::Label,
     "Label3",
     {40, 139, 183, 19},
     {"Trebuchet MS", 0, 16, false},
     "Date Introductory Rate Expires:",
     true},
    {1,
     Kind::Label,
     "Label5",
     {40, 166, 194, 19},
     {"Trebuchet MS", 0, 16, false},
     "Day of Month Payments are Due:",
     true},
    {1,
     Kind::Label,
     "Label6",
     {40, 192, 90, 19},
     {"Trebuchet MS", 0, 16, false},
     "Credit Limit:   $",
     true},
    {1,
     Kind::Label,
     "Label7",
     {40, 219, 205, 19},
     {"Trebuchet MS", 0, 16, false},
     "If Card Already has a Balance Due,",
     true},
    {1,
     Kind::Label,
     "Label10",
     {41, 245, 232, 19},
     {"Trebuchet MS", 0, 16, false},
     "Balance Shown on Latest Statement:  $",
     true},
    {1,
     Kind::Label,
     "Label11",
     {40, 64, 110, 15},
     {"MS Sans Serif", 0, 13, false},
     "Date Card Expires:",
     true},
    {1, Kind::LineEdit, "E1", {143, 25, 226, 21}, inherited, "", true},
    {1, Kind::LineEdit, "DT2", {157, 62, 81, 21}, inherited, "1/1/00", true},
    {2, Kind::ToolButton, "calendarButton", {0, 0, 100, 30}, inherited, "", true},
    {1, Kind::LineEdit, "E2", {80, 87, 31, 21}, inherited, "", true},
    {1, Kind::LineEdit, "E3", {155, 113, 30, 21}, inherited, "", true},
    {1, Kind::LineEdit, "DT1", {236, 139, 71, 21}, inherited, "1/1/00", true},
    {2, Kind::ToolButton, "calendarButton", {0, 0, 100, 30}, inherited, "", true},
    {1, Kind::LineEdit, "E4", {249, 166, 26, 21}, inherited, "", true},
    {1, Kind::LineEdit, "E5", {137, 193, 92, 21}, inherited, "", true},
    {1, Kind::LineEdit, "E6", {283, 244, 96, 21}, inherited, "", true},
    {1, Kind::PushButton, "OKBtn", {119, 316, 75, 25}, inherited, "OK", true},
    {1, Kind::PushButton, "CancelBtn", {255, 317, 75, 25}, inherited, "Cancel", true},
    {0,
     Kind::Dialog,
     "MakeOrEditEntry",
     {0, 0, 552, 312},
     {"Bookman Old Style", 0, 15, false},
     "",
     false},
    {1, Kind::Frame, "Bevel1", {24, 11, 504, 246}, inherited, "", true},
    {1, Kind::Label, "L1", {64, 24, 39, 21}, inherited, "Date:", true},
    {1, Kind::LineEdit, "DT1", {168, 21, 105, 27}, inherited, "1/1/00", true},
    {2, Kind::ToolButton, "calendarButton", {0, 0, 100, 30}, inherited, "", true},
    {1, Kind::Label, "L2", {64, 64, 90, 21}, inherited, "Description:", true},
    {1, Kind::LineEdit, "E1", {168, 61, 190, 27}, inherited, "", true},
    {1, Kind::GroupBox, "GroupBox1", {62, 104, 427, 89}, inherited, "", true},
    {2, Kind::RadioButton, "R1", {24, 24, 88, 17}, inherited, "Charge:", true},
    {2, Kind::LineEdit, "E2", {121, 19, 121, 27}, inherited, "", true},
    {2, Kind::RadioButton, "R2", {24, 56, 88, 17}, inherited, "Payment:", true},
    {2, Kind::LineEdit, "E3", {120, 52, 121, 27}, inherited, "", true},
    {1,
     Kind::Label,
     "L3",
     {60, 208, 419, 21},
     inherited,
     "Click box if amount has appeared on monthly statement:",
     true},
    {1, Kind::CheckBox, "C1", {491, 210, 12, 17}, {"Trebuchet MS", 0, 16, false}, "", true},
    {1, Kind::PushButton, "OKBtn", {162, 268, 75, 25}, inherited, "OK", true},
    {1, Kind::PushButton, "CancelBtn", {316, 268, 75, 25}, inherited, "Cancel", true},
    {0,
     Kind::Dialog,
     "ChangeYrForm",
     {0, 0, 325, 241},
     {"MS Sans Serif", 0, 11, false},
     "                Select year to view.",
     false},
    {1, Kind::List, "LB1", {100, 15, 121, 155}, {"MS Sans Serif", 0, 13, false}, "", true},
    {1, Kind::PushButton, "OK", {64, 208, 75, 25}, inherited, "OK", true},
    {1, Kind::PushButton, "Cancel", {187, 208, 75, 25}, inherited, "Cancel", true},
    {0,
     Kind::Dialog,
     "AboutBox",
     {0, 0, 373, 219},
     {"MS Sans Serif", 0, 11, false},
     "About",
     false},
    {1, Kind::Frame, "Panel1", {10, 9, 351, 161}, inherited, "", true},
    {2, Kind::Picture, "ProgramIcon", {8, 8, 65, 57}, inherited, "", true},
    {2,
     Kind::Label,
     "ProductName",
     {88, 16, 170, 22},
     {"MS Sans Serif", 0, 19, true},
     "Quillfen Pursewise",
     true},
    {2,
     Kind::Label,
     "Version",
     {88, 40, 58, 15},
     {"MS Sans Serif", 0, 13, false},
     "Version: 2",
     true},
    {2,
     Kind::Label,
     "Copyright",
     {83, 80, 204, 15},
     {"MS Sans Serif", 0, 13, false},
     "Copyright © 2026 Quillfen Software",
     true},
    {2,
     Kind::Label,
     "Label2",
     {22, 97, 253, 15},
     {"MS Sans Serif", 0, 13, false},
     "Updates copyright © 2026 Quillfen Software",
     true},
    {2,
     Kind::Label,
     "Label1",
     {90, 112, 136, 15},
     {"MS Sans Serif", 0, 13, true},
     "www.quillfen.example",
     true},
    {1, Kind::PushButton, "OKButton", {146, 180, 75, 25}, inherited, "OK", true},
    {0,
     Kind::Window,
     "pursepri",
     {0, 0, 800, 600},
     {"MS Sans Serif", 0, 11, false},
     "Quillfen Pursewise",
     false},
    {1, Kind::Frame, "Panel1", {0, 0, 100, 197}, inherited, "", true},
    {2, Kind::PushButton, "gf", {8, 8, 80, 25}, inherited, "1. Click", true},
    {2, Kind::PushButton, "Button1", {96, 8, 121, 25}, inherited, "2. Open File to Print.", true},
    {2,
     Kind::PushButton,
     "BitBtn1",
     {225, 8, 75, 25},
     {"Times New Roman", 0, 13, false},
     "Print",
     true},
    {2,
     Kind::Label,
     "Label1",
     {8, 42, 298, 39},
     inherited,
     "1. Click \"1. Click\" button\n2. Click 2. \"Open File to Print\" button\n3. Select the file "
     "listed below, but leave out the spaces, if any.",
     true},
    {2, Kind::LineEdit, "ur", {8, 87, 13, 16}, inherited, "", true},
    {2, Kind::LineEdit, "htx", {21, 87, 89, 16}, inherited, "26.dat", true},
    {2,
     Kind::Label,
     "Label2",
     {8, 112, 297, 39},
     inherited,
     "Note: The last two numbers of the file, is the year.\n If you want to print off the info, "
     "for this card, for another year, \njust open the file with the correct last two numbers.",
     true},
    {2,
     Kind::Label,
     "Label3",
     {420, 8, 331, 156},
     inherited,
     "              >There are two numbers in front of each item. <\nThe first number you see, in "
     "front of each item, go by the chart "
     "here:\n_______________________________________________\n1 = Date\n2 = Description \n3 = "
     "Charge or 4 = Payment\n5 =  X (if selected)\n6 = "
     "Bal.Owed\n________________________________________________\nThe second number you can "
     "ignore.\n\nThe items in the file you load below, are in the above order:",
     true},
    {1, Kind::TextEdit, "quillfenp", {0, 0, 100, 30}, inherited, "", true},
    {0,
     Kind::Dialog,
     "te",
     {0, 0, 587, 406},
     {"Sans Serif", 9, 0, false},
     "Quillfen Pursewise",
     false},
    {1,
     Kind::Label,
     "Label1",
     {13, 3, 564, 361},
     {"Times New Roman", 0, 16, false},
     "Romans 8:32 He that spared not his own Son, but delivered him up for us all, how shall he "
     "not with him also freely give us all things?<br><br>John 1:29 The next day John seeth Jesus "
     "coming unto him, and saith, Behold the Lamb of God, which taketh away the sin of the "
     "world.<br><br>2 Peter 1:3 According as his divine power hath given unto us all things that "
     "<i>pertain</i> unto life and godliness, through the knowledge of him that hath called us to "
     "glory and virtue:<br><br>1 Timothy 2:5-6 For <i>there is</i> one God, and one mediator "
     "between God and men, the man Christ Jesus; Who gave himself a ransom for all, to be "
     "testified in due time.<br><br>Hebrews 1:3 Who being the brightness of <i>his</i> glory, and "
     "the express image of his person, and upholding all things by the word of his power, when he "
     "had by himself purged our sins, sat down on the right hand of the Majesty on "
     "high;<br><br>Romans 2:11 For there is no respect of persons with God.<br><br>Hebrews 13:8 "
     "Jesus Christ the same yesterday, and to day, and for ever.",
     true},
    {1,
     Kind::Label,
     "Label2",
     {461, 117, 46, 19},
     {"Times New Roman", 0, 16, false},
     "pertain",
     false},
    {1,
     Kind::Label,
     "Label4",
     {138, 174, 47, 19},
     {"Times New Roman", 0, 16, false},
     "there is",
     false},
    {1, Kind::Label, "Label3", {266, 231, 18, 19}, {"Times New Roman", 0, 16, false}, "his", false},
    {1,
     Kind::Label,
     "Label5",
     {165, 383, 290, 17},
     {"Times New Roman", 0, 15, true},
     "www.quillfen.example/verses",
     true},
};

// The ledger's texts, row by row, as a plain table: 1000 empty rows at start.
class LedgerModel : public QAbstractTableModel
{
public:
    using Row = std::array<QString, 6>;

    explicit LedgerModel(QObject* owner) : QAbstractTableModel(owner), m_rows(1000) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 6; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return m_rows[std::size_t(index.row())][std::size_t(index.column())];
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const titles[] = {"Date",     "Description", "Charges",
                                             "Payments", "X",           "Bal. Owed"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
            return QString::fromLatin1(titles[section]);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void show(std::vector<Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    void insertAtTop(Row row)
    {
        beginInsertRows({}, 0, 0);
        m_rows.insert(m_rows.begin(), std::move(row));
        endInsertRows();
    }

private:
    std::vector<Row> m_rows;
};

QAbstractItemModel* modelFor(const QString& name, QObject* owner)
{
    if (name == u"sg1") {
        auto* model = new QStandardItemModel(24, 8, owner);
        model->setHorizontalHeaderLabels({"Card Name", "Expires", "Intro %", "Rate %",
                                          "Credit Limit", "Balance Owed", "Available", ""});
        for (int row = 0; row < 24; ++row) {
            const QString card = QString::number(row + 1);
            const QString cells[] = {card + QStringLiteral(". Card number ") + card,
                                     "10/31/27",
                                     "0",
                                     "18.9",
                                     "900.00",
                                     "0.00",
                                     "900.00",
                                     "6/30/27"};
            for (int column = 0; column < 8; ++column)
                model->setItem(row, column, new QStandardItem(cells[column]));
        }
        return model;
    }
    if (name == u"StringGrid1")
        return new LedgerModel(owner);
    return new QStandardItemModel(99, 2, owner);
}

QWidget* make(const Part& part, QWidget* parent)
{
    const QString text = QString::fromUtf8(part.text);
    const QString name = QString::fromLatin1(part.name);
    switch (part.kind) {
    case Kind::Window: {
        auto* window = new QWidget(parent, Qt::Window);
        window->setWindowTitle(text);
        return window;
    }
    case Kind::Dialog: {
        auto* dialog = new QDialog(parent);
        dialog->setWindowTitle(text);
        return dialog;
    }
    case Kind::Widget:
        return new QWidget(parent);
    case Kind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        return frame;
    }
    case Kind::Label:
        return new QLabel(text, parent);
    case Kind::Picture: {
        auto* label = new QLabel(parent);
        QPixmap picture(part.place.size());
        picture.fill(Qt::darkGreen);
        label->setPixmap(picture);
        return label;
    }
    case Kind::LineEdit:
        return new QLineEdit(text, parent);
    case Kind::PushButton:
        return new QPushButton(text, parent);
    case Kind::ToolButton: {
        auto* button = new QToolButton(parent);
        button->setText(text);
        return button;
    }
    case Kind::RadioButton:
        return new QRadioButton(text, parent);
    case Kind::CheckBox:
        return new QCheckBox(text, parent);
    case Kind::GroupBox:
        return new QGroupBox(text, parent);
    case Kind::Table: {
        auto* table = new QTableView(parent);
        table->setModel(modelFor(name, table));
        table->verticalHeader()->hide();
        return table;
    }
    case Kind::List:
        return new QListWidget(parent);
    case Kind::TextEdit:
        return new QTextEdit(parent);
    }
    return nullptr;
}

// One part of the open-and-insert path on each turn of the event loop once
// the watched widget has painted.
class OpenAndInsert : public QObject
{
public:
    explicit OpenAndInsert(QWidget* main) : QObject(main), m_main(main)
    {
        m_register = main->findChild<QWidget*>(QStringLiteral("Form1"));
        m_ledger = m_register->findChild<QTableView*>(QStringLiteral("StringGrid1"));
        m_entry = main->findChild<QDialog*>(QStringLiteral("MakeOrEditEntry"));
        waitForPaint(main);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == m_waitingFor) {
            watched->removeEventFilter(this);
            m_waitingFor = nullptr;
            QTimer::singleShot(0, this, [this] { next(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void waitForPaint(QWidget* widget)
    {
        m_waitingFor = widget;
        widget->installEventFilter(this);
    }

    void next()
    {
        switch (m_part++) {
        case 0: {
            std::vector<LedgerModel::Row> rows;
            long long balance = 2600;
            for (int row = 1; row <= 999; ++row) {
                balance += 1234;
                rows.push_back({QStringLiteral("12/1/26"),
                                QStringLiteral("Groceries and household, entry %1").arg(row),
                                QStringLiteral("12.34"), QString(),
                                row % 3 == 0 ? QStringLiteral("X") : QString(),
                                QStringLiteral("%1.%2")
                                    .arg(balance / 100)
                                    .arg(balance % 100, 2, 10, QLatin1Char('0'))});
            }
            ledger()->show(std::move(rows));
            m_register->move(m_main->screen()->availableGeometry().center() -
                             m_register->rect().center());
            m_register->show();
            m_register->activateWindow();
            waitForPaint(m_register);
            break;
        }
        case 1:
            m_entry->open();
            waitForPaint(m_entry);
            break;
        case 2: {
            m_entry->accept();
            ledger()->insertAtTop({QStringLiteral("11/30/26"), QStringLiteral("Annual fee"),
                                   QStringLiteral("10.00"), QString(), QString(),
                                   QStringLiteral("36.00")});
            m_register->activateWindow();
            waitForPaint(m_ledger->viewport());
            break;
        }
        default:
            std::printf("done %lld\n", FirstPaintProbe::monotonicNanoseconds());
            std::fflush(stdout);
            QCoreApplication::quit();
        }
    }

    LedgerModel* ledger() const { return static_cast<LedgerModel*>(m_ledger->model()); }

    QWidget* m_main;
    QWidget* m_register;
    QTableView* m_ledger;
    QDialog* m_entry;
    QObject* m_waitingFor = nullptr;
    int m_part = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();
    // The main window comes first; the other windows belong to it.
    std::unique_ptr<QWidget> main;
    std::vector<QWidget*> chain; // the latest part at each depth
    for (const Part& part : parts) {
        chain.resize(part.depth);
        QWidget* widget = make(part, part.depth == 0 ? main.get() : chain.back());
        if (!main)
            main.reset(widget);
        widget->setObjectName(QString::fromLatin1(part.name));
        if (part.font.family) {
            QFont font(QString::fromLatin1(part.font.family));
            if (part.font.pixels > 0)
                font.setPixelSize(part.font.pixels);
            else if (part.font.points > 0)
                font.setPointSizeF(part.font.points);
            font.setBold(part.font.bold);
            widget->setFont(font);
        }
        if (part.depth == 0) {
            widget->resize(part.place.size());
        } else {
            widget->setGeometry(part.place);
            if (!part.shown)
                widget->hide();
        }
        chain.push_back(widget);
    }
    if (QApplication::arguments().contains(QStringLiteral("--open-and-insert")))
        new OpenAndInsert(main.get());
    else
        FirstPaintProbe::watch(main.get());
    main->show();
    return QApplication::exec();
}
