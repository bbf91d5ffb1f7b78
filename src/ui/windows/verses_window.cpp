#include "ui/windows/verses_window.h"

#include "ui/kit/look.h"

#include <QLabel>
#include <QStringList>

namespace {

// King James wording; <i> marks the words the translators supplied, which
// that text sets in italics.
const std::pair<const char*, const char*> verses[] = {
    {"Romans 8:32", "He that spared not his own Son, but delivered him up for us all, how shall "
                    "he not with him also freely give us all things?"},
    {"John 1:29", "The next day John seeth Jesus coming unto him, and saith, Behold the Lamb of "
                  "God, which taketh away the sin of the world."},
    {"2 Peter 1:3", "According as his divine power hath given unto us all things that "
                    "<i>pertain</i> unto life and godliness, through the knowledge of him that "
                    "hath called us to glory and virtue:"},
    {"1 Timothy 2:5-6", "For <i>there is</i> one God, and one mediator between God and men, the "
                        "man Christ Jesus; Who gave himself a ransom for all, to be testified in "
                        "due time."},
    {"Hebrews 1:3", "Who being the brightness of <i>his</i> glory, and the express image of his "
                    "person, and upholding all things by the word of his power, when he had by "
                    "himself purged our sins, sat down on the right hand of the Majesty on high;"},
    {"Romans 2:11", "For there is no respect of persons with God."},
    {"Hebrews 13:8", "Jesus Christ the same yesterday, and to day, and for ever."}};

} // namespace

QString versesText()
{
    QStringList parts;
    for (const auto& [reference, verse] : verses)
        parts << QStringLiteral("%1 %2").arg(QLatin1String(reference), QLatin1String(verse));
    return parts.join(QStringLiteral("<br><br>"));
}

Tte::Tte(QWidget* parent)
    : InfoWindow(QStringLiteral("te"), QStringLiteral("Quillfen Pursewise"), designColour(12582911),
                 Escape::Closes, Qt::Window, parent)
{
    // An outer size of 595 by 433 with the usual title bar and borders.
    resize(587, 406);
    const QString times = QStringLiteral("Times New Roman");
    // A label at a fixed place in the window.
    auto placed = [this](const char* name, const QString& text, QRect box, const QFont& font) {
        QLabel* l = label(this, name, text, font);
        l->setGeometry(box);
        return l;
    };

    auto* text = placed("Label1", versesText(), QRect(13, 3, 564, 361), designFont(times, 16));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette black = text->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    text->setPalette(black);

    // Laid over the plain words where the text had no italics of its own;
    // Label1 now sets them in italics itself, so these stay hidden.
    const std::tuple<const char*, const char*, QRect> overlays[] = {
        {"Label2", "pertain", QRect(461, 117, 46, 19)},
        {"Label4", "there is", QRect(138, 174, 47, 19)},
        {"Label3", "his", QRect(266, 231, 18, 19)}};
    for (const auto& [name, word, box] : overlays)
        placed(name, QLatin1String(word), box, designFont(times, 16, false, true))->hide();

    auto* web = placed("Label5", QStringLiteral("www.quillfen.example/verses"),
                       QRect(165, 383, 290, 17), designFont(times, 15, true));
    web->setAlignment(Qt::AlignCenter);
    setBackground(web, QColor(0, 255, 255));
}
