#ifndef QCSTRINGCODEC_H
#define QCSTRINGCODEC_H

#include <QByteArray>
#include <QString>

class QTextCodec;
class QTextDecoder;
class QTextEncoder;

// The code page of the engine's 8-bit text: console lines, arguments, the
// event log and the data files. The driver picks it once per run; Latin-1
// applies while none is set. The codec's decoder and encoder are made once,
// when the codec is set, and serve every conversion of the run.
class QCStringCodec
{
public:
    enum Mode { InteractiveMode, ArgumentMode };

    // The code page of a mode: on Windows what its console (IBM 866) and its
    // command line (CP1251) deliver, elsewhere the locale's encoding.
    static void setCodecForMode(Mode mode);
    static void setCodec(const char *name);
    static void setCodec(QTextCodec *codec);
    static QTextCodec *codec();

    // 8-bit text ends at its first NUL byte. Bytes that end inside a
    // multi-byte sequence give one replacement character and never reach
    // the next conversion.
    static QString toUnicode(const QByteArray &bytes);
    static QByteArray fromUnicode(const QString &text);
};

#endif
