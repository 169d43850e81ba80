#ifndef FORMULAFONT_H
#define FORMULAFONT_H

#include <QFont>

// The font in which the panel sets formulas: the first of "Consolas" and
// "Courier New" that is installed, bold, not italic.
inline QFont formulaFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Consolas"), QStringLiteral("Courier New")});
    font.setPointSize(pointSize);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    return font;
}

#endif
