#include "scenario_runner.h"
#include "step_failed.h"

#include "ui/windows/program_windows.h"
#include "ui/kit/file_chooser.h"
#include "ui/kit/short_date_edit.h"
#include "core/platform/clock.h"
#include "core/platform/data_file.h"
#include "core/platform/help.h"
#include "core/platform/messages.h"
#include "core/platform/short_date.h"
#include "core/platform/text_grid_model.h"
#include "core/program/pursewise.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <map>

namespace {

QString quoted(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\r', QStringLiteral("\\r"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\t', QStringLiteral("\\t"));
    return u'"' + text + u'"';
}

// A file's bytes as the script would write them: one quoted line each, and a
// note on a last line that lacks its CR LF or a line break of another kind.
QString describeBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("an empty file");
    QList<QByteArray> lines = bytes.split('\n');
    QString text = QStringLiteral("%1 bytes:").arg(bytes.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        const bool last = i + 1 == lines.size();
        if (last && line.isEmpty())
            break;
        QString note;
        if (last)
            note = QStringLiteral("  (no line end)");
        else if (line.endsWith('\r'))
            line.chop(1);
        else
            note = QStringLiteral("  (LF without CR)");
        text += QStringLiteral("\n    ") + quoted(QString::fromUtf8(line)) + note;
    }
    return text;
}

QString nameOf(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("nothing");
    const QWidget* window = widget->window();
    if (window == widget)
        return widget->objectName();
    return window->objectName() + u'.' + widget->objectName();
}

// Controls built out of parts (a date picker's text box, a combo box's edit)
// give the focus to an unnamed part of Qt's own; the named control owns it.
const QWidget* namedOwner(const QWidget* widget)
{
    while (widget && !widget->isWindow() &&
           (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_")))
        widget = widget->parentWidget();
    return widget;
}

// A caption as it reads on the screen: "&Add" shows as "Add" with the A
// underlined, "&&" as one "&".
QString withoutMnemonic(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

const std::map<QString, Qt::Key>& keys()
{
    static const std::map<QString, Qt::Key> table = {
        {QStringLiteral("F1"), Qt::Key_F1},
        {QStringLiteral("Enter"), Qt::Key_Return},
        {QStringLiteral("Escape"), Qt::Key_Escape},
        {QStringLiteral("Tab"), Qt::Key_Tab},
        {QStringLiteral("Backtab"), Qt::Key_Backtab},
        {QStringLiteral("Space"), Qt::Key_Space},
        {QStringLiteral("Up"), Qt::Key_Up},
        {QStringLiteral("Down"), Qt::Key_Down},
        {QStringLiteral("Left"), Qt::Key_Left},
        {QStringLiteral("Right"), Qt::Key_Right},
        {QStringLiteral("Home"), Qt::Key_Home},
        {QStringLiteral("End"), Qt::Key_End},
        {QStringLiteral("PageUp"), Qt::Key_PageUp},
        {QStringLiteral("PageDown"), Qt::Key_PageDown},
        {QStringLiteral("Insert"), Qt::Key_Insert},
        {QStringLiteral("Delete"), Qt::Key_Delete},
        {QStringLiteral("Backspace"), Qt::Key_Backspace},
    };
    return table;
}

// Modal windows that are showing now; each one a step opened with exec()
// holds that step until it closes.
int showingModalWindows()
{
    int count = 0;
    for (const QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->isModal())
            ++count;
    return count;
}

// The modal window that keeps a person from reaching `window`, if any: the
// topmost modal window, unless it is `window` or one of the windows it opened.
QWidget* blockerOf(const QWidget* window)
{
    QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* w = window; w; w = w->parentWidget())
        if (w == modal)
            return nullptr;
    return modal;
}

// Steps that only look (`expect-...`, `shot`) may stand between a message and
// the `expect-message` that checks it; every other step drives the program on.
bool acts(const Step& step)
{
    using K = Step::Kind;
    switch (step.kind) {
    case K::ExpectMessage:
    case K::ExpectText:
    case K::ExpectCell:
    case K::ExpectVisible:
    case K::ExpectChecked:
    case K::ExpectFocus:
    case K::ExpectFile:
    case K::ExpectNoFile:
    case K::ExpectHelp:
    case K::ExpectGeometry:
    case K::ExpectPoints:
    case K::Shot:
        return false;
    default:
        return true;
    }
}

} // namespace

ScenarioRunner::ScenarioRunner(std::vector<Step> steps, const QString& startDirectory)
    : m_steps(std::move(steps)), m_startDirectory(startDirectory)
{
    setMessageSink([this](const QString& text) {
        m_messages.push_back(Message{text, applicationTitle, m_line, false});
    });
    setHelpSink([this](int topic) { m_helpTopic = topic; });
    setFileAnswerer([this](FileChoice, const QString& caption) -> std::optional<QString> {
        if (m_fileAnswers.empty()) {
            m_unansweredDialogs.push_back(Message{caption, QString(), m_line, false});
            return std::nullopt;
        }
        const QString path = m_fileAnswers.front().path;
        m_fileAnswers.erase(m_fileAnswers.begin());
        if (path.isEmpty())
            return std::nullopt;
        // A file dialog answers with a whole path; a relative one is taken
        // from the data folder.
        return QDir::current().absoluteFilePath(path);
    });
    ShortDate::setFormat(QStringLiteral("M/d/yy"));
    qApp->installEventFilter(this);
    // A step that never returns waits for something the script does not do
    // (a modal window this runner did not see open, say): the run fails.
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(30000);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        if (m_finished || m_ended)
            return;
        const auto step = std::find_if(m_steps.begin(), m_steps.end(),
                                       [this](const Step& s) { return s.line == m_line; });
        report(m_line, step == m_steps.end() ? QString() : step->source,
               QStringLiteral("no next step could run for 30 seconds"));
        stop(1);
    });
}

ScenarioRunner::~ScenarioRunner()
{
    qApp->removeEventFilter(this);
    m_windows.reset();
    m_state.reset();
    setMessageSink(nullptr);
    setHelpSink(nullptr);
    setFileAnswerer(nullptr);
    ShortDate::setFormat(QString());
    Clock::unfix();
}

int ScenarioRunner::run()
{
    schedulePump();
    while (!m_finished) {
        QApplication::exec();
        // The main window was closed, which ends the program's event loop; the
        // rest of the script may still look at the files it left, or start
        // the program again, in an event loop of its own.
        if (!m_finished && m_ended && m_windows)
            endProgram();
        schedulePump();
    }
    return m_exitCode;
}

void ScenarioRunner::endProgram()
{
    m_ended = true;
    m_windows.reset();
}

void ScenarioRunner::schedulePump()
{
    if (m_pumpPending || m_finished)
        return;
    m_pumpPending = true;
    QTimer::singleShot(0, this, [this] { pump(); });
}

void ScenarioRunner::pump()
{
    m_pumpPending = false;
    if (m_finished)
        return;
    // More steps running than modal windows showing: a dialog has just
    // closed and its event loop ends as soon as control returns to it. The
    // next step runs after the step that opened the dialog has returned.
    if (!m_ended && m_depth > showingModalWindows()) {
        schedulePump();
        return;
    }
    if (!m_ended)
        settle();
    if (m_next == m_steps.size()) {
        allStepsDone();
        return;
    }
    const Step& step = m_steps[m_next];
    if (acts(step) && failOnUncheckedMessage())
        return;
    ++m_next;
    m_line = step.line;
    ++m_depth;
    std::optional<QString> saw;
    m_watchdog.start();
    try {
        runStep(step);
    } catch (const StepFailed& failure) {
        saw = failure.saw;
    } catch (const std::exception& error) {
        saw = QStringLiteral("the program raised an exception: ") + QString::fromUtf8(error.what());
    }
    --m_depth;
    if (m_finished)
        return;
    if (saw) {
        report(step.line, step.source, *saw);
        stop(1);
        return;
    }
    if (!m_ended && m_windows && !m_windows->window(QStringLiteral("Main"))->isVisible()) {
        // Closing the main window has ended the event loop: the rest of the
        // script runs once it has returned (see run()).
        m_ended = true;
        QCoreApplication::exit(0);
        return;
    }
    schedulePump();
}

void ScenarioRunner::allStepsDone()
{
    if (failOnUncheckedMessage())
        return;
    if (!m_fileAnswers.empty()) {
        const int line = m_fileAnswers.front().line;
        const auto step = std::find_if(m_steps.begin(), m_steps.end(),
                                       [line](const Step& s) { return s.line == line; });
        report(line, step == m_steps.end() ? QString() : step->source,
               QStringLiteral("no file dialog opened to take this answer"));
        stop(1);
        return;
    }
    stop(0);
}

// A message must be checked before the program is driven on: the run fails,
// naming the step that showed the oldest message no step has checked.
bool ScenarioRunner::failOnUncheckedMessage()
{
    if (failOnUnansweredFileDialog())
        return true;
    const auto message = std::find_if(m_messages.begin(), m_messages.end(),
                                      [](const Message& m) { return !m.checked; });
    if (message == m_messages.end())
        return false;
    const auto step = std::find_if(m_steps.begin(), m_steps.end(),
                                   [&](const Step& s) { return s.line == message->line; });
    report(message->line, step == m_steps.end() ? QString() : step->source,
           QStringLiteral("a message no step checked: ") + quoted(message->text));
    stop(1);
    return true;
}

void ScenarioRunner::report(int line, const QString& source, const QString& saw)
{
    QTextStream out(stdout);
    out << "line " << line << ": " << source << "\n  saw: " << saw << Qt::endl;
}

void ScenarioRunner::stop(int exitCode)
{
    m_finished = true;
    m_watchdog.stop();
    m_exitCode = exitCode;
    // Dialogs still open are cancelled, so that every exec() returns.
    for (int guard = 0; guard < 32; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    QCoreApplication::exit(exitCode);
}

// Lets what the last step started arrive (activations, layouts, posted
// calls), then does what a window manager does when the active window has
// gone: activates the window that was active before it.
void ScenarioRunner::settle()
{
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (m_windows)
        reactivateAfterClose();
}

void ScenarioRunner::reactivateAfterClose()
{
    const QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible())
        return;
    QWidget* next = QApplication::activeModalWidget();
    for (auto it = m_activations.rbegin(); !next && it != m_activations.rend(); ++it)
        if (*it && (*it)->isVisible())
            next = *it;
    if (!next)
        return;
    next->activateWindow();
    // A window that does not come back is found out by the next step on it.
    (void)QTest::qWaitFor([next] { return QApplication::activeWindow() == next; }, 2000);
}

bool ScenarioRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowActivate) {
            std::erase_if(m_activations, [window](const QPointer<QWidget>& w) {
                return w.isNull() || w == window;
            });
            m_activations.emplace_back(window);
        } else if (auto* box = qobject_cast<QMessageBox*>(window);
                   box && event->type() == QEvent::Show) {
            // Every message should come through the message sink; a box shown
            // some other way is recorded the same, with its own title, and
            // answered with OK as soon as its event loop runs.
            m_messages.push_back(Message{box->text(), box->windowTitle(), m_line, false});
            QTimer::singleShot(0, box, [box] {
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->done(QMessageBox::Ok);
            });
        } else if (event->type() == QEvent::Show && window->isModal()) {
            // A step opens a modal dialog and stays in its exec() until the
            // dialog closes: the next steps run in the dialog's event loop.
            schedulePump();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScenarioRunner::runStep(const Step& step)
{
    using K = Step::Kind;
    switch (step.kind) {
    case K::Clock:
        if (!forNextRestart(step))
            Clock::fix(step.moment);
        return;
    case K::ShortDate:
        if (!forNextRestart(step))
            ShortDate::setFormat(step.text);
        return;
    case K::File:
    case K::Bytes:
        writeFile(step);
        return;
    case K::Restart:
        restart();
        return;
    case K::Deny:
        DataFile::failNextWrite(step.text, ENOSPC);
        return;
    case K::Resize:
        resize(step);
        return;
    case K::ExpectGeometry:
        expectGeometry(step);
        return;
    case K::Start:
        start();
        return;
    case K::Click:
        click(step);
        return;
    case K::Type:
        type(step);
        return;
    case K::Date:
        pickDate(step);
        return;
    case K::Row:
        clickRow(step, step.number - 1);
        return;
    case K::Item:
        clickRow(step, step.number);
        return;
    case K::Key:
        pressKey(step);
        return;
    case K::Close:
        closeWindow(step);
        return;
    case K::ExpectMessage:
        expectMessage(step);
        return;
    case K::ExpectText:
        expectText(step);
        return;
    case K::ExpectCell:
        expectCell(step);
        return;
    case K::ExpectVisible:
        expectVisible(step);
        return;
    case K::ExpectChecked:
        expectChecked(step);
        return;
    case K::ExpectFocus:
        expectFocus(step);
        return;
    case K::ExpectFile:
        expectFile(step);
        return;
    case K::ExpectNoFile:
        expectNoFile(step);
        return;
    case K::ExpectHelp:
        expectHelp(step);
        return;
    case K::Shot:
        shot(step);
        return;
    case K::ChooseFile:
        chooseFile(step);
        return;
    case K::Tick:
        tick(step);
        return;
    case K::Pick:
        pick(step);
        return;
    case K::ExpectPoints:
        expectPoints(step);
        return;
    }
}

void ScenarioRunner::requireRunning() const
{
    if (m_ended)
        fail(QStringLiteral("the program has ended: its main window was closed"));
    if (!m_windows)
        fail(QStringLiteral("the program has not started yet"));
}

QWidget* ScenarioRunner::window(const QString& name) const
{
    requireRunning();
    QWidget* w = m_windows->window(name);
    if (!w)
        fail(QStringLiteral("no window named %1").arg(name));
    return w;
}

QWidget* ScenarioRunner::control(const Step& step) const
{
    QWidget* w = window(step.window);
    // Dialogs are children of the window that opens them: their controls are
    // theirs, not this window's.
    QList<QWidget*> found = w->findChildren<QWidget*>(step.control);
    found.removeIf([w](const QWidget* c) { return c->window() != w; });
    if (found.isEmpty())
        fail(QStringLiteral("no control named %1 in the window %2").arg(step.control, step.window));
    if (found.size() > 1)
        fail(QStringLiteral("%1 controls named %2 in the window %3")
                 .arg(found.size())
                 .arg(step.control, step.window));
    return found.front();
}

QWidget* ScenarioRunner::target(const Step& step) const
{
    return step.control.isEmpty() ? window(step.window) : control(step);
}

// What a person could not reach fails the step: a hidden window or control,
// a disabled control, a window behind a modal one.
void ScenarioRunner::requireUsable(QWidget* control) const
{
    QWidget* w = control->window();
    if (!w->isVisible())
        fail(QStringLiteral("the window %1 is hidden").arg(w->objectName()));
    if (QWidget* blocker = blockerOf(w))
        fail(QStringLiteral("the window %1 is blocked by the modal window %2")
                 .arg(w->objectName(), blocker->objectName()));
    if (!control->isVisible())
        fail(QStringLiteral("%1 is hidden").arg(nameOf(control)));
    if (!control->isEnabled())
        fail(QStringLiteral("%1 is disabled").arg(nameOf(control)));
}

// A person's click on a window that is not the active one activates it
// first, and the window's activation handler runs.
void ScenarioRunner::activate(QWidget* window)
{
    if (QApplication::activeWindow() == window)
        return;
    window->raise();
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000))
        fail(QStringLiteral("the window %1 did not become active").arg(window->objectName()));
    requireUsable(window);
}

void ScenarioRunner::start()
{
    if (m_windows || m_ended)
        fail(QStringLiteral("the program has already started"));
    m_state = std::make_unique<Pursewise>();
    m_windows = std::make_unique<ProgramWindows>(*m_state);
    QWidget* main = m_windows->window(QStringLiteral("Main"));
    m_windows->showMain();
    if (!QTest::qWaitFor([main] { return QApplication::activeWindow() == main; }, 5000))
        fail(QStringLiteral("the main window did not become active"));
}

void ScenarioRunner::click(const Step& step)
{
    QWidget* c = control(step);
    requireUsable(c);
    activate(c->window());
    requireUsable(c);
    if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        if (button->focusPolicy() & Qt::ClickFocus)
            button->setFocus(Qt::MouseFocusReason);
        button->click();
        return;
    }
    if (qobject_cast<QLabel*>(c) && c->metaObject()->indexOfSignal("clicked()") >= 0) {
        QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
        return;
    }
    fail(QStringLiteral("%1 is no button, clickable label, radio button or check box")
             .arg(nameOf(c)));
}

void ScenarioRunner::type(const Step& step)
{
    auto* edit = qobject_cast<QLineEdit*>(control(step));
    if (!edit)
        fail(QStringLiteral("%1 is no edit box").arg(nameOf(control(step))));
    requireUsable(edit);
    if (edit->isReadOnly())
        fail(QStringLiteral("%1 is read-only").arg(nameOf(edit)));
    activate(edit->window());
    requireUsable(edit);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    // insert() goes through the box's own editing, as keys would: the
    // validator and the maximum length apply, and textEdited is emitted.
    edit->insert(step.text);
    if (!edit->isModified())
        edit->setModified(true);
}

void ScenarioRunner::pickDate(const Step& step)
{
    auto* picker = qobject_cast<ShortDateEdit*>(control(step));
    if (!picker)
        fail(QStringLiteral("%1 is no date picker").arg(nameOf(control(step))));
    requireUsable(picker);
    if (picker->isReadOnly())
        fail(QStringLiteral("%1 is read-only").arg(nameOf(picker)));
    const std::optional<QDate> date = ShortDate::tryParse(step.text);
    if (!date)
        fail(QStringLiteral("%1 is no date in the short date format %2")
                 .arg(quoted(step.text), ShortDate::format()));
    activate(picker->window());
    requireUsable(picker);
    picker->setFocus(Qt::MouseFocusReason);
    // What the picker's calendar does when a day is picked.
    picker->setDate(*date);
    if (picker->date() != *date)
        fail(QStringLiteral("the picker keeps %1").arg(ShortDate::toText(picker->date())));
}

// `row` and `item`: a click on the row as a person would make it, so that the
// window's click handler runs even when the row was already current.
void ScenarioRunner::clickRow(const Step& step, int viewRow)
{
    auto* view = qobject_cast<QAbstractItemView*>(control(step));
    if (!view || !view->model())
        fail(QStringLiteral("%1 is no grid or list").arg(nameOf(control(step))));
    requireUsable(view);
    QAbstractItemModel* model = view->model();
    const int rows = model->rowCount(view->rootIndex());
    if (viewRow < 0 || viewRow >= rows) {
        const int first = step.kind == Step::Kind::Row ? 1 : 0;
        fail(QStringLiteral("%1 has %2 %3 to %4")
                 .arg(nameOf(view), step.kind == Step::Kind::Row ? u"rows" : u"items")
                 .arg(first)
                 .arg(rows - 1 + first));
    }
    QModelIndex index;
    const auto* table = qobject_cast<QTableView*>(view);
    for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
        if (table && (table->isColumnHidden(column) || table->columnWidth(column) < 1))
            continue;
        index = model->index(viewRow, column, view->rootIndex());
        break;
    }
    if (!index.isValid())
        fail(QStringLiteral("%1 shows no column to click").arg(nameOf(view)));
    activate(view->window());
    requireUsable(view);
    view->scrollTo(index);
    const QRect cell = view->visualRect(index);
    if (cell.isEmpty() || !view->viewport()->rect().intersects(cell))
        fail(QStringLiteral("the row cannot be brought into view"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->viewport()->rect().intersected(cell).center());
    if (m_finished)
        return;
    if (view->currentIndex().row() != viewRow)
        fail(QStringLiteral("the click left the current row at %1")
                 .arg(view->currentIndex().row() + (step.kind == Step::Kind::Row ? 1 : 0)));
}

void ScenarioRunner::pressKey(const Step& step)
{
    // "Ctrl+Shift+Z": modifiers, each ended by "+", then a named key or a
    // letter.
    QString name = step.text;
    Qt::KeyboardModifiers modifiers;
    const std::pair<QString, Qt::KeyboardModifier> prefixes[] = {
        {QStringLiteral("Ctrl+"), Qt::ControlModifier},
        {QStringLiteral("Shift+"), Qt::ShiftModifier},
        {QStringLiteral("Alt+"), Qt::AltModifier}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, modifier] : prefixes) {
            if (name.startsWith(prefix) && name.size() > prefix.size()) {
                modifiers |= modifier;
                name = name.mid(prefix.size());
                found = true;
            }
        }
    }
    Qt::Key pressed = Qt::Key_unknown;
    if (const auto key = keys().find(name); key != keys().end())
        pressed = key->second;
    else if (name.size() == 1 && name[0] >= u'A' && name[0] <= u'Z')
        pressed = Qt::Key(Qt::Key_A + (name[0].unicode() - u'A'));
    else
        fail(QStringLiteral("%1 is no key this runner knows").arg(quoted(step.text)));
    QWidget* c = target(step);
    requireUsable(c);
    activate(c->window());
    requireUsable(c);
    QWidget* receiver = c;
    if (c->isWindow()) {
        receiver = c->focusWidget() ? c->focusWidget() : c;
    } else if (c->focusPolicy() != Qt::NoFocus && !c->hasFocus()) {
        c->setFocus(Qt::OtherFocusReason);
        if (QWidget* focus = QApplication::focusWidget(); focus && c->isAncestorOf(focus))
            receiver = focus;
    }
    QTest::keyClick(receiver, pressed, modifiers);
}

void ScenarioRunner::closeWindow(const Step& step)
{
    QWidget* w = window(step.window);
    requireUsable(w);
    activate(w);
    w->close();
}

void ScenarioRunner::writeFile(const Step& step)
{
    QFile file(step.text);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(step.bytes) != step.bytes.size())
        fail(QStringLiteral("could not write %1: %2").arg(step.text, file.errorString()));
}

void ScenarioRunner::expectMessage(const Step& step)
{
    const auto message = std::find_if(m_messages.begin(), m_messages.end(),
                                      [](const Message& m) { return !m.checked; });
    if (message == m_messages.end())
        fail(QStringLiteral("no message"));
    message->checked = true;
    if (message->text != step.text)
        fail(quoted(message->text));
    if (message->title != applicationTitle)
        fail(QStringLiteral("the title %1").arg(quoted(message->title)));
}

void ScenarioRunner::expectText(const Step& step)
{
    QWidget* c = target(step);
    QString text;
    if (c->isWindow())
        text = c->windowTitle();
    else if (const auto* edit = qobject_cast<QLineEdit*>(c))
        text = edit->text();
    else if (const auto* label = qobject_cast<QLabel*>(c))
        text = label->text();
    else if (const auto* button = qobject_cast<QAbstractButton*>(c))
        text = withoutMnemonic(button->text());
    else if (const auto* spin = qobject_cast<QAbstractSpinBox*>(c))
        text = spin->text();
    else if (const auto* rich = qobject_cast<QTextEdit*>(c))
        text = rich->toPlainText();
    else if (const auto* plain = qobject_cast<QPlainTextEdit*>(c))
        text = plain->toPlainText();
    else if (const auto* combo = qobject_cast<QComboBox*>(c))
        text = combo->currentText();
    else if (const auto* group = qobject_cast<QGroupBox*>(c))
        text = group->title();
    else if (const auto* chart = qobject_cast<QChartView*>(c); chart && chart->chart())
        text = chart->chart()->title();
    else
        fail(QStringLiteral("%1 shows no text").arg(nameOf(c)));
    if (text != step.text)
        fail(quoted(text));
}

void ScenarioRunner::expectCell(const Step& step)
{
    const auto* view = qobject_cast<QAbstractItemView*>(control(step));
    if (!view || !view->model())
        fail(QStringLiteral("%1 is no grid").arg(nameOf(control(step))));
    QString text;
    if (const auto* model = dynamic_cast<const TextGridModel*>(view->model())) {
        // The grid's own coordinates: row 0 is the header row.
        const TextGrid& grid = model->grid();
        if (!grid.contains(step.column, step.number))
            fail(QStringLiteral("no cell %1 %2: the grid has columns 0 to %3 and rows 0 to %4")
                     .arg(step.column)
                     .arg(step.number)
                     .arg(grid.columnCount() - 1)
                     .arg(grid.rowCount() - 1));
        text = grid.cell(step.column, step.number);
    } else if (qobject_cast<const QTableView*>(view)) {
        // A table counts as a grid does: row 0 is its header row, and its
        // first row of data is row 1.
        const QAbstractItemModel* model = view->model();
        if (step.column >= model->columnCount() || step.number > model->rowCount())
            fail(QStringLiteral("no cell %1 %2: the table has columns 0 to %3 and rows 0 to %4")
                     .arg(step.column)
                     .arg(step.number)
                     .arg(model->columnCount() - 1)
                     .arg(model->rowCount()));
        text = step.number == 0
                   ? model->headerData(step.column, Qt::Horizontal).toString()
                   : model->index(step.number - 1, step.column, view->rootIndex()).data().toString();
    } else {
        const QModelIndex index = view->model()->index(step.number, step.column, view->rootIndex());
        if (!index.isValid())
            fail(QStringLiteral("no cell %1 %2").arg(step.column).arg(step.number));
        text = index.data().toString();
    }
    if (text != step.text)
        fail(quoted(text));
}

void ScenarioRunner::expectVisible(const Step& step)
{
    QWidget* c = target(step);
    // A control counts as shown when its window would show it.
    const bool visible = c->isWindow() ? c->isVisible() : c->isVisibleTo(c->window());
    if (visible != step.yes)
        fail(visible ? QStringLiteral("yes") : QStringLiteral("no"));
}

void ScenarioRunner::expectChecked(const Step& step)
{
    if (step.number > 0) {
        expectRowChecked(step);
        return;
    }
    const auto* button = qobject_cast<QAbstractButton*>(control(step));
    if (!button || !button->isCheckable())
        fail(QStringLiteral("%1 is no radio button or check box").arg(nameOf(control(step))));
    if (button->isChecked() != step.yes)
        fail(button->isChecked() ? QStringLiteral("yes") : QStringLiteral("no"));
}

void ScenarioRunner::expectFocus(const Step& step)
{
    QWidget* c = control(step);
    QWidget* w = c->window();
    const QWidget* focus =
        QApplication::activeWindow() == w ? QApplication::focusWidget() : w->focusWidget();
    const QWidget* owner = namedOwner(focus);
    if (owner != c)
        fail(QApplication::activeWindow() == w
                 ? nameOf(owner)
                 : nameOf(owner) + QStringLiteral(" (the window is not active)"));
}

void ScenarioRunner::expectFile(const Step& step)
{
    QFile file(step.text);
    if (!file.exists())
        fail(QStringLiteral("no file %1").arg(step.text));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("could not read %1: %2").arg(step.text, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (bytes != step.bytes)
        fail(describeBytes(bytes));
}

void ScenarioRunner::expectNoFile(const Step& step)
{
    QFile file(step.text);
    if (file.exists())
        fail(QStringLiteral("the file is there, %1")
                 .arg(file.open(QIODevice::ReadOnly) ? describeBytes(file.readAll())
                                                     : QStringLiteral("unreadable")));
}

void ScenarioRunner::expectHelp(const Step& step)
{
    if (m_helpTopic < 0)
        fail(QStringLiteral("no help request"));
    if (m_helpTopic != step.number)
        fail(QStringLiteral("topic %1").arg(m_helpTopic));
}

void ScenarioRunner::shot(const Step& step)
{
    QWidget* w = window(step.window);
    const QString path = QDir(m_startDirectory).absoluteFilePath(step.text);
    if (!w->grab().save(path, "PNG"))
        fail(QStringLiteral("could not save the picture %1").arg(path));
}
