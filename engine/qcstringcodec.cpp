#include "qcstringcodec.h"

#include <QTextCodec>

QTextCodec *QCStringCodec::codec = nullptr;

void QCStringCodec::setCodec(const char *name)
{
    codec = QTextCodec::codecForName(name);
}

QString QCStringCodec::toUnicode(const QByteArray &bytes)
{
    // 8-bit text ends at its first NUL byte
    const QByteArray text(bytes.constData(), qstrnlen(bytes.constData(), bytes.size()));
    return codec ? codec->toUnicode(text) : QString::fromLatin1(text);
}

QByteArray QCStringCodec::fromUnicode(const QString &text)
{
    return codec ? codec->fromUnicode(text) : text.toLatin1();
}
