#include "ui/kit/dialog_controls.h"

#include "core/platform/short_date.h"
#include "ui/kit/look.h"
#include "ui/kit/short_date_edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

QFont dialogFont(const QString& family, int pixels)
{
    // The card dialog leaves "Day of Month Payments are Due:" 209 pixels
    // before its box. Trebuchet MS at 16 pixels fits; Liberation Sans needs
    // 236 and would run into the box, its narrow cut needs 194.
    static const std::pair<const char*, QStringList> standIns[] = {
        {"Trebuchet MS", {"Liberation Sans Narrow", "Nimbus Sans Narrow", "Arial Narrow"}},
        {"MS Sans Serif", {"Liberation Sans", "Nimbus Sans", "Arial"}},
        {"Bookman Old Style", {"URW Bookman", "URW Bookman L"}}};
    QFont font = designFont(family, pixels);
    QStringList families{family};
    for (const auto& [designFamily, faces] : standIns)
        if (family == QLatin1String(designFamily))
            families += faces;
    font.setFamilies(families);
    return font;
}

QLabel* dialogLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                    const QFont* font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (font)
        label->setFont(*font);
    label->adjustSize();
    label->move(left, top);
    return label;
}

void keepWhite(QWidget* box)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    box->setPalette(palette);
}

void showPreparedText(QLineEdit* box, const QString& text)
{
    const bool modified = box->isModified();
    if (box->text() != text)
        box->setText(text);
    box->setModified(modified);
}

FormCheck checkTypedDates(std::initializer_list<ShortDateEdit*> boxes)
{
    for (ShortDateEdit* box : boxes)
        if (!box->takeTypedText())
            return FormCheck::refuse(ShortDate::notADateMessage(box->text()), box->objectName());
    return {};
}

void dressStatementDialog(QWidget* dialog, const QString& caption, int width, int height)
{
    dialog->setWindowTitle(caption);
    dialog->resize(width, height);
    dialog->setFont(dialogFont(QStringLiteral("MS Sans Serif"), 13));
    setBackground(dialog, designColour(12365366));
}
