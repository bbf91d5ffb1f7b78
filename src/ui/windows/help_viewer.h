#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QKeyEvent;
class QTextBrowser;

// The program's help window, "Quillfen Pursewise Help": the help document in
// a browser, scrolled to the topic asked for. One window, made once and shown
// again for every request; it is not modal and stays open beside the others.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    // `path` is the document to show; the program passes HelpFile::locate().
    explicit HelpViewer(QString path, QWidget* parent = nullptr);

    // Shows the window at the topic's anchor and brings it forward. A document
    // that cannot be read gives its message instead, and no window.
    void showTopic(int topic);

    QTextBrowser* browser() const { return m_browser; }
    const QString& path() const { return m_path; }

protected:
    // Esc closes the window, as in the program's dialogs.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(int topic);
    void stayUsableBesideModalDialog();

    QString m_path;
    QTextBrowser* m_browser = nullptr;
};

// Makes every showHelp(topic) open `viewer` at that topic.
void installHelpViewer(HelpViewer& viewer);
// The same for a viewer of the document at `path` that is made at the first
// request and kept in `viewer` (start-up makes no window it does not show).
void installHelpViewer(QString path, std::unique_ptr<HelpViewer>& viewer);
