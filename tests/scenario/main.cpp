#include "core/platform/messages.h"
#include "scenario_runner.h"
#include "script.h"
#include "ui/kit/first_paint_probe.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdlib>

// pursewise-scenario [--data DIR] SCRIPT: plays the script against the whole
// program in a fresh, empty data folder, or with --data in the existing folder
// DIR, whose files stay for whatever runs next (a crash test kills one run and
// starts another on what it left). Exits 0 when every step held; otherwise
// prints the failing line and what it saw, and exits 1.
int main(int argc, char* argv[])
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0')
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // What the program keeps in the user's settings (the columns of a CSV
    // statement) starts empty on every run and never touches the tester's own.
    QTemporaryDir settings;
    if (settings.isValid())
        setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    QTextStream out(stdout);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QString dataFolder;
    if (arguments.size() == 3 && arguments[0] == u"--data") {
        dataFolder = arguments[1];
        arguments.remove(0, 2);
    }
    if (arguments.size() != 1 || arguments[0].startsWith(u"--")) {
        out << "usage: pursewise-scenario [--data DIR] SCRIPT" << Qt::endl;
        return 1;
    }
    QFile file(arguments[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        out << "cannot read " << arguments[0] << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    const ParsedScript script = parseScript(file.readAll());
    if (script.error) {
        out << "line " << script.error->line << ": " << script.error->source
            << "\n  saw: " << script.error->problem << Qt::endl;
        return 1;
    }

    const QString startDirectory = QDir::currentPath();
    QTemporaryDir fresh;
    if (!dataFolder.isEmpty()) {
        if (!QDir(dataFolder).exists() || !QDir::setCurrent(dataFolder)) {
            out << "cannot use the data folder " << dataFolder << Qt::endl;
            return 1;
        }
    } else if (!fresh.isValid() || !QDir::setCurrent(fresh.path())) {
        out << "cannot make a data folder: " << fresh.errorString() << Qt::endl;
        return 1;
    }
    int exitCode = 1;
    {
        ScenarioRunner runner(script.steps, startDirectory);
        exitCode = runner.run();
        // For the start-up benchmark: the moment the last step was done,
        // before the windows are taken down (ui/kit/first_paint_probe.h).
        if (!qEnvironmentVariableIsEmpty("PURSEWISE_REPORT_DONE"))
            out << "done " << FirstPaintProbe::monotonicNanoseconds() << Qt::endl;
    }
    QDir::setCurrent(startDirectory);
    return exitCode;
}
