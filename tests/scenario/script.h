#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

// One line of a scenario script read into its parts: what to do, to which
// window or control, and with which text. Knows nothing of the windows.
struct Step
{
    enum class Kind
    {
        Clock,
        ShortDate,
        File,
        Start,
        Click,
        Type,
        Date,
        Row,
        Item,
        Key,
        Close,
        ExpectMessage,
        ExpectText,
        ExpectCell,
        ExpectVisible,
        ExpectChecked,
        ExpectFocus,
        ExpectFile,
        ExpectNoFile,
        ExpectHelp,
        Shot,
        Restart,
        Bytes,
        Deny,
        Resize,
        ExpectGeometry,
        ChooseFile,
        Tick,
        Pick,
        ExpectPoints
    };

    // A point of a chart's series: a day and money in cents.
    struct Point
    {
        QDate date;
        qint64 cents = 0;

        bool operator==(const Point&) const = default;
    };

    Kind kind = Kind::Start;
    int line = 0;    // where the step stands in the script, from 1
    QString source;  // the line as written
    QString window;  // W of "W.C" or "W"
    QString control; // C of "W.C"; empty when the step names a window
    QString text;    // TEXT, a file name, a date pattern, a key name or a path
                     // (choose-file: empty for a cancelled dialog); expect-points:
                     // the series' name
    int column = 0;  // expect-cell
    int number = 0;  // a grid row, a list item, a help topic, expect-cell's row;
                     // tick's and expect-checked's table row (0: the box itself)
    bool yes = false;
    QDateTime moment;
    QByteArray bytes; // file and expect-file: every line followed by CR LF; bytes: as given
    QRect geometry;   // resize: the size; expect-geometry: the place and size
    std::vector<Point> points; // expect-points, in the order written
};

struct ScriptError
{
    int line = 0;
    QString source;
    QString problem;
};

struct ParsedScript
{
    std::vector<Step> steps;
    std::optional<ScriptError> error; // the first line that is no step
};

// Blank lines and lines that start with "#" are skipped; the lines of a file
// block are taken byte for byte up to the line "end". A line may end in LF or
// CR LF. The lines of a bytes block are hex pairs after "hex " or escaped
// text, and give exactly the bytes they spell, no line ends added.
ParsedScript parseScript(const QByteArray& text);
