#ifndef QDEBUGTEXT_H
#define QDEBUGTEXT_H

#include <QString>

// The text a debug stream makes of a label and a string item: the label, one
// blank, the item between double quotes, one blank. Built by hand because
// Qt's stream would escape quotes and non-ASCII characters in the item.
inline QString debugStreamText(const QString &label, const QString &item)
{
    return label + QLatin1String(" \"") + item + QLatin1String("\" ");
}

#endif
