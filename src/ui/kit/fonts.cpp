#include "ui/kit/fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes()
{
    const std::pair<const char*, QStringList> substitutes[] = {
        {"Bookman Old Style", {"URW Bookman", "URW Bookman L", "DejaVu Serif"}},
        {"Comic Sans MS", {"Comic Neue", "DejaVu Sans"}},
        {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
        {"Arial", {"Liberation Sans", "DejaVu Sans"}},
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
        {"Tahoma", {"DejaVu Sans", "Liberation Sans"}},
        {"Trebuchet MS", {"DejaVu Sans", "Liberation Sans"}},
        {"Georgia", {"C059", "Century Schoolbook L", "DejaVu Serif"}}};
    for (const auto& [family, replacements] : substitutes) {
        const QString name = QString::fromLatin1(family);
        if (QFont::substitutes(name).isEmpty())
            QFont::insertSubstitutions(name, replacements);
    }
}
