#include "ui/windows/verses_window.h"
#include "core/platform/help.h"
#include "support/qt_printing.h"

#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class VersesWindow : public testing::Test
{
protected:
    QLabel* label(const char* name) { return window.findChild<QLabel*>(QString::fromLatin1(name)); }

    // Label1's rich text as a document, to read its words and their looks.
    std::unique_ptr<QTextDocument> verses()
    {
        auto document = std::make_unique<QTextDocument>();
        document->setHtml(label("Label1")->text());
        return document;
    }

    // Whether the first occurrence of `words` after `after` is in italics.
    bool italic(const QString& words, const QString& after)
    {
        const auto document = verses();
        const QString text = document->toPlainText();
        const qsizetype at = text.indexOf(words, text.indexOf(after));
        QTextCursor cursor(document.get());
        cursor.setPosition(int(at + 1));
        return at >= 0 && cursor.charFormat().fontItalic();
    }

    Tte window;
};

TEST_F(VersesWindow, IsAPaleYellowWindowCaptionedWithTheProgramsName)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("te"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillfen Pursewise"));
    EXPECT_EQ(window.size(), QSize(587, 406));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xBF));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_TRUE(window.windowFlags() & Qt::Window);
}

TEST_F(VersesWindow, ShowsTheSevenVersesInOrderEachAfterItsReferenceAndAnEmptyLine)
{
    const QLabel* text = label("Label1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->geometry(), QRect(13, 3, 564, 361));
    EXPECT_TRUE(text->wordWrap());
    EXPECT_EQ(text->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(text->font().pixelSize(), 16);

    const QStringList lines = verses()->toPlainText().split(u'\n');
    const char* references[] = {"Romans 8:32 He that spared",
                                "John 1:29 The next day",
                                "2 Peter 1:3 According as",
                                "1 Timothy 2:5-6 For there is one God",
                                "Hebrews 1:3 Who being the brightness",
                                "Romans 2:11 For there is no respect",
                                "Hebrews 13:8 Jesus Christ the same"};
    ASSERT_EQ(lines.size(), 13) << verses()->toPlainText().toStdString();
    for (int verse = 0; verse < 7; ++verse) {
        EXPECT_TRUE(lines[2 * verse].startsWith(QLatin1String(references[verse])))
            << lines[2 * verse].toStdString();
        if (verse < 6) {
            EXPECT_EQ(lines[2 * verse + 1], QString());
        }
    }
    EXPECT_TRUE(lines.last().endsWith(u"and to day, and for ever."));
}

TEST_F(VersesWindow, SetsTheWordsTheKingJamesTextSetsInItalicsInItalics)
{
    EXPECT_TRUE(italic(QStringLiteral("pertain"), QStringLiteral("2 Peter")));
    EXPECT_TRUE(italic(QStringLiteral("there is"), QStringLiteral("1 Timothy")));
    EXPECT_TRUE(italic(QStringLiteral("his glory"), QStringLiteral("Hebrews 1:3")));
    EXPECT_FALSE(italic(QStringLiteral("his person"), QStringLiteral("Hebrews 1:3")));
    EXPECT_FALSE(italic(QStringLiteral("there is no"), QStringLiteral("Romans 2:11")));
    EXPECT_FALSE(italic(QStringLiteral("He that"), QStringLiteral("Romans 8:32")));
}

TEST_F(VersesWindow, FitsTheVersesInTheirBoxWhenWrappedAt564Pixels)
{
    const QLabel* text = label("Label1");
    EXPECT_LE(text->heightForWidth(564), 361);
}

TEST_F(VersesWindow, KeepsTheItalicOverlaysByNameAndPlaceButHidden)
{
    const std::tuple<const char*, const char*, QRect> overlays[] = {
        {"Label2", "pertain", QRect(461, 117, 46, 19)},
        {"Label4", "there is", QRect(138, 174, 47, 19)},
        {"Label3", "his", QRect(266, 231, 18, 19)}};
    for (const auto& [name, word, box] : overlays) {
        const QLabel* overlay = label(name);
        ASSERT_NE(overlay, nullptr) << name;
        EXPECT_EQ(overlay->text(), QLatin1String(word));
        EXPECT_EQ(overlay->geometry(), box);
        EXPECT_TRUE(overlay->font().italic());
        EXPECT_TRUE(overlay->isHidden());
    }
}

TEST_F(VersesWindow, ShowsAWebAddressOnAqua)
{
    const QLabel* web = label("Label5");
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->geometry(), QRect(165, 383, 290, 17));
    EXPECT_TRUE(web->text().contains(u".example"));
    EXPECT_TRUE(web->font().bold());
    EXPECT_EQ(web->font().pixelSize(), 15);
    EXPECT_EQ(web->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(web->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_TRUE(web->autoFillBackground());
}

TEST_F(VersesWindow, ResizingNeitherMovesNorRewrapsTheTexts)
{
    window.show();
    window.resize(300, 200);
    QTest::qWait(20);
    EXPECT_EQ(label("Label1")->geometry(), QRect(13, 3, 564, 361));
    EXPECT_EQ(label("Label5")->geometry(), QRect(165, 383, 290, 17));
    window.resize(900, 700);
    QTest::qWait(20);
    EXPECT_EQ(label("Label1")->geometry(), QRect(13, 3, 564, 361));
}

TEST_F(VersesWindow, F1AsksForNoHelpAndEscapeClosesIt)
{
    int topic = 0;
    const HelpSink previous = setHelpSink([&](int t) { topic = t; });
    bool openAfterF1 = false;
    bool openAfterEscape = true;
    QTimer::singleShot(50, &window, [&] {
        QTest::keyClick(&window, Qt::Key_F1);
        openAfterF1 = window.isVisible();
        QTest::keyClick(&window, Qt::Key_Escape);
        openAfterEscape = window.isVisible();
    });
    QTimer::singleShot(2000, &window, [&] { window.done(-1); });
    window.exec();
    setHelpSink(previous);
    EXPECT_TRUE(openAfterF1);
    EXPECT_FALSE(openAfterEscape);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(topic, 0);
}

} // namespace
