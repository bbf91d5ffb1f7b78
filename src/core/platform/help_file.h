#pragma once

#include <QString>
#include <QStringList>

// The program's help document "Pursewise.hlp": where it lies, its text, and
// the anchor of each help topic in it. It finds and reads; it shows nothing.
class HelpFile
{
public:
    // The document's file name, wherever it lies.
    static const QString fileName;

    // The absolute path chosen when the program was built.
    static QString fixedPath();

    // Where the document is looked for, in this order:
    //  1. the fixed path, where installing puts it;
    //  2. beside the program, where the build copies it, so that a program run
    //     from its build folder finds its help without being installed;
    //  3. ../share/pursewise beside the program's folder, for an installed tree
    //     that was moved after it was built.
    static QStringList candidates(const QString& fixedPath, const QString& programDir);

    // The first candidate that is a file. When none is, the fixed path, so that
    // the message names the place where the help belongs.
    static QString locate(const QString& fixedPath, const QString& programDir);

    // locate() for this program: its fixed path and its own folder.
    static QString locate();

    // The whole document. Throws a UserError with the message to show when the
    // file is missing ("The help file "/usr/share/pursewise/Pursewise.hlp" could
    // not be found.") or cannot be read.
    static QString read(const QString& path);

    // The anchor that starts a topic: topic 5 is "topic5".
    static QString anchorOf(int topic);

    // Whether the document holds an anchor of that name (<a name="topic5">).
    static bool hasAnchor(const QString& document, const QString& anchor);

    // Where to open the document for a topic: the topic's own anchor, else
    // "topic1", the start of the guide; empty (the top) when neither is there.
    static QString topicAnchor(const QString& document, int topic);
};
