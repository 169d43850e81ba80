#ifndef QFORMULADEBUG_H
#define QFORMULADEBUG_H

#include <QDebug>
#include <QObject>

// Writes the debug message of a formula insertion step: the label, one blank,
// the object's name between double quotes, one blank. The text is built by
// hand because Qt's debug stream would escape quotes and non-ASCII characters
// in the name.
inline void debugInsertionStep(const char *label, const QObject *target)
{
    const QString text =
        QLatin1String(label) + QLatin1String(" \"") + target->objectName() + QLatin1String("\" ");
    qDebug().noquote() << text;
}

#endif
