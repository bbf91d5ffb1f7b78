#include "scenario_runner.h"
#include "step_failed.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

// The steps that answer a file dialog and work the statement dialogs' tables
// of tick boxes and their drop-down lists.

namespace {

// The box of a table's row N (from 1): the first cell of the row that a
// person can tick.
QModelIndex boxOf(const QAbstractItemView* view, int row)
{
    const QAbstractItemModel* model = view->model();
    for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
        const QModelIndex index = model->index(row - 1, column, view->rootIndex());
        if (index.data(Qt::CheckStateRole).isValid())
            return index;
    }
    return {};
}

const QAbstractItemView* tableOf(QWidget* c)
{
    const auto* view = qobject_cast<const QAbstractItemView*>(c);
    if (!view || !view->model())
        fail(QStringLiteral("%1 is no table").arg(c->objectName()));
    return view;
}

} // namespace

// The next file dialog the program opens, whenever that is, answers with this
// path; an empty one cancels the dialog.
void ScenarioRunner::chooseFile(const Step& step)
{
    requireRunning();
    m_fileAnswers.push_back(FileAnswer{step.line, step.text});
}

bool ScenarioRunner::failOnUnansweredFileDialog()
{
    if (m_unansweredDialogs.empty())
        return false;
    const Message& dialog = m_unansweredDialogs.front();
    const auto step = std::find_if(m_steps.begin(), m_steps.end(),
                                   [&](const Step& s) { return s.line == dialog.line; });
    report(dialog.line, step == m_steps.end() ? QString() : step->source,
           QStringLiteral("a file dialog no choose-file step answered: \"%1\"").arg(dialog.text));
    stop(1);
    return true;
}

// A click on the tick box of row N, when it does not already show the state
// asked for.
void ScenarioRunner::tick(const Step& step)
{
    QWidget* c = control(step);
    const QAbstractItemView* view = tableOf(c);
    requireUsable(c);
    if (step.number > view->model()->rowCount(view->rootIndex()))
        fail(QStringLiteral("%1 has rows 1 to %2")
                 .arg(c->objectName())
                 .arg(view->model()->rowCount(view->rootIndex())));
    const QModelIndex box = boxOf(view, step.number);
    if (!box.isValid())
        fail(QStringLiteral("row %1 has no tick box").arg(step.number));
    if (!(box.flags() & Qt::ItemIsUserCheckable) || !(box.flags() & Qt::ItemIsEnabled))
        fail(QStringLiteral("the tick box of row %1 cannot be ticked").arg(step.number));
    activate(c->window());
    requireUsable(c);
    const bool ticked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    if (ticked == step.yes)
        return;
    auto* table = const_cast<QAbstractItemView*>(view);
    table->scrollTo(box);
    table->setCurrentIndex(box);
    table->model()->setData(box, step.yes ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void ScenarioRunner::expectRowChecked(const Step& step)
{
    const QAbstractItemView* view = tableOf(control(step));
    if (step.number > view->model()->rowCount(view->rootIndex()))
        fail(QStringLiteral("no row %1").arg(step.number));
    const QModelIndex box = boxOf(view, step.number);
    if (!box.isValid())
        fail(QStringLiteral("row %1 has no tick box").arg(step.number));
    const bool ticked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    if (ticked != step.yes)
        fail(ticked ? QStringLiteral("yes") : QStringLiteral("no"));
}

// Picks the item of a drop-down list that reads TEXT, as a person would
// open the list and click it.
void ScenarioRunner::pick(const Step& step)
{
    auto* box = qobject_cast<QComboBox*>(control(step));
    if (!box)
        fail(QStringLiteral("%1 is no drop-down list").arg(control(step)->objectName()));
    requireUsable(box);
    const int index = box->findText(step.text, Qt::MatchExactly);
    if (index < 0) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << QStringLiteral("\"%1\"").arg(box->itemText(i));
        fail(QStringLiteral("no item reads \"%1\"; the items are %2")
                 .arg(step.text, items.join(QStringLiteral(", "))));
    }
    activate(box->window());
    requireUsable(box);
    box->setFocus(Qt::MouseFocusReason);
    box->setCurrentIndex(index);
    emit box->activated(index);
}
