#ifndef QCSTRINGCODEC_H
#define QCSTRINGCODEC_H

#include <QByteArray>
#include <QString>

class QTextCodec;

// The code page of the engine's 8-bit text: console lines, arguments and the
// data files. The driver picks it per run; Latin-1 applies while none is set.
class QCStringCodec
{
public:
    static void setCodec(const char *name);
    static QString toUnicode(const QByteArray &bytes);
    static QByteArray fromUnicode(const QString &text);

private:
    static QTextCodec *codec;
};

#endif
