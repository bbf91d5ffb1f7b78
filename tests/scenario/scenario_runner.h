#pragma once

#include "script.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class Pursewise;
class ProgramWindows;
class QWidget;

// Plays a scenario script against the real program: the eight windows over a
// program state in the working directory, driven through their own widgets as
// a person would drive them. Message boxes are recorded and answered at once;
// help requests are recorded. Does not parse scripts (see script.h).
//
// Each step runs from a posted call. A step that opens a modal dialog does not
// return until the dialog closes, so the steps after it run inside the
// dialog's own event loop, exactly where a person would be clicking.
class ScenarioRunner : public QObject
{
public:
    // `startDirectory` is where relative picture paths of "shot" lead.
    ScenarioRunner(std::vector<Step> steps, const QString& startDirectory);
    ~ScenarioRunner() override;

    // Plays every step; 0 when all held, 1 after printing the failing line.
    int run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Message
    {
        QString text;
        QString title;
        int line = 0;
        bool checked = false;
    };

    void schedulePump();
    void pump();
    void runStep(const Step& step);
    void allStepsDone();
    bool failOnUncheckedMessage();
    void report(int line, const QString& source, const QString& saw);
    void stop(int exitCode);
    void endProgram();

    // Steps.
    void start();
    void click(const Step& step);
    void type(const Step& step);
    void pickDate(const Step& step);
    void clickRow(const Step& step, int viewRow);
    void pressKey(const Step& step);
    void closeWindow(const Step& step);
    void writeFile(const Step& step);
    void expectMessage(const Step& step);
    void expectText(const Step& step);
    void expectCell(const Step& step);
    void expectVisible(const Step& step);
    void expectChecked(const Step& step);
    void expectFocus(const Step& step);
    void expectFile(const Step& step);
    void expectNoFile(const Step& step);
    void expectHelp(const Step& step);
    void shot(const Step& step);
    void restart();
    void resize(const Step& step);
    void expectGeometry(const Step& step);
    bool forNextRestart(const Step& step);
    void chooseFile(const Step& step);
    void tick(const Step& step);
    void pick(const Step& step);
    void expectRowChecked(const Step& step);
    void expectPoints(const Step& step);
    bool failOnUnansweredFileDialog();

    // Windows and controls; each fails the step when it cannot serve.
    void requireRunning() const;
    QWidget* window(const QString& name) const;
    QWidget* control(const Step& step) const;
    QWidget* target(const Step& step) const;
    void requireUsable(QWidget* control) const;
    void activate(QWidget* window);
    void settle();
    void reactivateAfterClose();

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QString m_startDirectory;

    // What a `clock` or `shortdate` step after `start` set for the next
    // `restart`; the running program keeps its own.
    std::optional<QDateTime> m_restartClock;
    std::optional<QString> m_restartShortDate;

    std::unique_ptr<Pursewise> m_state;
    std::unique_ptr<ProgramWindows> m_windows;
    bool m_ended = false; // the main window was closed: the program is over

    std::vector<Message> m_messages;

    // The answers of choose-file steps not yet taken by a file dialog, with
    // their lines; and the file dialogs that found no answer waiting.
    struct FileAnswer
    {
        int line = 0;
        QString path; // empty: the dialog is cancelled
    };
    std::vector<FileAnswer> m_fileAnswers;
    std::vector<Message> m_unansweredDialogs;
    int m_helpTopic = -1;
    int m_line = 0; // the step running now, to tell which one showed a message

    // Windows in the order they last became active, latest last.
    std::vector<QPointer<QWidget>> m_activations;

    bool m_pumpPending = false;
    int m_depth = 0; // steps running now: more than one inside a dialog's loop
    bool m_finished = false;
    int m_exitCode = 0;
    QTimer m_watchdog;
};
