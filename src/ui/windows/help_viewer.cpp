#include "ui/windows/help_viewer.h"

#include "core/platform/help.h"
#include "core/platform/help_file.h"
#include "core/platform/messages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Hands the browser the document that HelpFile read, so that the browser
// reads no file itself while its source still names the file and the topic.
class DocumentBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    bool hasDocument() const { return !m_text.isNull(); }
    const QString& documentText() const { return m_text; }

    void setDocumentText(const QUrl& url, const QString& text)
    {
        m_url = url;
        m_text = text;
    }

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::HtmlResource && name.adjusted(QUrl::RemoveFragment) == m_url)
            return m_text;
        return QTextBrowser::loadResource(type, name);
    }

private:
    QUrl m_url;
    QString m_text;
};

} // namespace

HelpViewer::HelpViewer(QString path, QWidget* parent)
    : QWidget(parent, Qt::Window), m_path(std::move(path))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quillfen Pursewise Help"));
    resize(680, 560);

    m_browser = new DocumentBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

void HelpViewer::showTopic(int topic)
{
    guarded([this, topic] { open(topic); });
}

void HelpViewer::open(int topic)
{
    auto* browser = static_cast<DocumentBrowser*>(m_browser);
    const QUrl document = QUrl::fromLocalFile(m_path);
    // Read once, on the first request that finds the file; a failed read
    // throws before anything is shown.
    if (!browser->hasDocument())
        browser->setDocumentText(document, HelpFile::read(m_path));

    QUrl topicUrl = document;
    topicUrl.setFragment(HelpFile::topicAnchor(browser->documentText(), topic));

    stayUsableBesideModalDialog();
    if (isMinimized())
        showNormal();
    else
        show();
    // Shown first, so that the browser scrolls a laid-out page.
    browser->setSource(topicUrl, QTextDocument::HtmlResource);
    raise();
    activateWindow();
}

void HelpViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// F1 in the card or entry dialog asks for help while that dialog is modal,
// which would leave the help window visible but frozen. A window that belongs
// to the modal dialog is exempt, so the help window belongs to it while it is
// open, and to nothing otherwise.
void HelpViewer::stayUsableBesideModalDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this)
        modal = nullptr;
    winId();
    if (QWindow* window = windowHandle())
        window->setTransientParent(modal != nullptr ? modal->windowHandle() : nullptr);
    if (modal != nullptr)
        modal->installEventFilter(this);
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog has closed: the help window goes back to being on its own.
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        watched->removeEventFilter(this);
        QWindow* window = windowHandle();
        if (window != nullptr &&
            window->transientParent() == static_cast<QWidget*>(watched)->windowHandle())
            window->setTransientParent(nullptr);
    }
    return QWidget::eventFilter(watched, event);
}

void installHelpViewer(HelpViewer& viewer)
{
    setHelpSink([&viewer](int topic) { viewer.showTopic(topic); });
}

void installHelpViewer(QString path, std::unique_ptr<HelpViewer>& viewer)
{
    setHelpSink([path = std::move(path), &viewer](int topic) {
        if (!viewer)
            viewer = std::make_unique<HelpViewer>(path);
        viewer->showTopic(topic);
    });
}
