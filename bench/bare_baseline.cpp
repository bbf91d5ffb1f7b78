// The bare start-up baseline: the least Qt itself needs for the program's
// eight windows. Eight top-level windows of the program's sizes, the card
// list's table in the main window and the ledger's two tables in the register,
// Qt's default font, no text, no program logic and no data files; only the
// main window is shown. With PURSEWISE_FIRST_PAINT_EXIT set it reports its
// first paint and ends (ui/kit/first_paint_probe.h), as the program does.

#include "ui/kit/first_paint_probe.h"

#include <QApplication>
#include <QDialog>
#include <QStandardItemModel>
#include <QTableView>

#include <utility>

namespace {

QTableView* addTable(QWidget* window, int rows, int columns, const QRect& place)
{
    auto* table = new QTableView(window);
    table->setModel(new QStandardItemModel(rows, columns, table));
    table->setGeometry(place);
    return table;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The three windows of their own; the dialogs belong to them.
    QWidget main;
    main.resize(656, 491);
    addTable(&main, 24, 8, QRect(0, 151, 656, 188));
    QWidget form1;
    form1.resize(640, 480);
    addTable(&form1, 1000, 6, QRect(4, 275, 624, 193));
    addTable(&form1, 99, 2, QRect(0, 0, 100, 30))->hide();
    QWidget pursepri;
    pursepri.resize(800, 600);
    const std::pair<QWidget*, QSize> dialogs[] = {{&main, {464, 359}},
                                                  {&form1, {552, 312}},
                                                  {&form1, {325, 241}},
                                                  {&main, {373, 219}},
                                                  {&main, {587, 406}}};
    for (const auto& [parent, size] : dialogs)
        (new QDialog(parent))->resize(size);
    FirstPaintProbe::watch(&main);
    main.show();
    return QApplication::exec();
}
