#include "platform/messages.h"
#include "scenario_runner.h"
#include "script.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdlib>

// pursewise-scenario SCRIPT: plays the script against the whole program in a
// fresh, empty data folder. Exits 0 when every step held; otherwise prints the
// failing line and what it saw, and exits 1.
int main(int argc, char* argv[])
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0')
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    QTextStream out(stdout);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        out << "usage: pursewise-scenario SCRIPT" << Qt::endl;
        return 1;
    }
    QFile file(arguments[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        out << "cannot read " << arguments[1] << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    const ParsedScript script = parseScript(file.readAll());
    if (script.error) {
        out << "line " << script.error->line << ": " << script.error->source
            << "\n  saw: " << script.error->problem << Qt::endl;
        return 1;
    }

    const QString startDirectory = QDir::currentPath();
    QTemporaryDir data;
    if (!data.isValid() || !QDir::setCurrent(data.path())) {
        out << "cannot make a data folder: " << data.errorString() << Qt::endl;
        return 1;
    }
    int exitCode = 1;
    {
        ScenarioRunner runner(script.steps, startDirectory);
        exitCode = runner.run();
    }
    QDir::setCurrent(startDirectory);
    return exitCode;
}
