#include "qcstringcodec.h"

#include <QTextCodec>

#include <algorithm>
#include <memory>

namespace
{

// True when the codec writes each ASCII character but NUL as that one byte
// and reads the byte back as the character, as the locales' encodings and
// most code pages do: such text then needs no converter.
bool keepsAscii(QTextCodec *codec)
{
    QByteArray ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += char(c);
    const QString text = QString::fromLatin1(ascii);
    return codec->fromUnicode(text) == ascii && codec->toUnicode(ascii) == text;
}

bool isAscii(uint c)
{
    return c > 0 && c < 0x80;
}

bool isAscii(const char *bytes, int length)
{
    return std::all_of(bytes, bytes + length, [](char c) { return isAscii(uchar(c)); });
}

bool isAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isAscii(c.unicode()); });
}

struct Converters {
    QTextCodec *codec = nullptr;
    bool asciiKept = false;
    std::unique_ptr<QTextDecoder> decoder;
    std::unique_ptr<QTextEncoder> encoder;

    // No byte order mark is ever taken from or added to a text: every
    // conversion of the run treats its text alike, the first one too.
    void makeDecoder() { decoder.reset(codec->makeDecoder(QTextCodec::IgnoreHeader)); }
    void makeEncoder() { encoder.reset(codec->makeEncoder(QTextCodec::IgnoreHeader)); }
};

Converters &converters()
{
    static Converters run;
    return run;
}

} // namespace

void QCStringCodec::setCodecForMode(Mode mode)
{
#ifdef Q_OS_WIN
    setCodec(mode == InteractiveMode ? "IBM 866" : "CP1251");
#else
    Q_UNUSED(mode);
    setCodec(QTextCodec::codecForLocale());
#endif
}

void QCStringCodec::setCodec(const char *name)
{
    setCodec(QTextCodec::codecForName(name));
}

void QCStringCodec::setCodec(QTextCodec *codec)
{
    Converters &run = converters();
    run.codec = codec;
    run.decoder.reset();
    run.encoder.reset();
    run.asciiKept = false;
    if (!codec)
        return;
    run.makeDecoder();
    run.makeEncoder();
    run.asciiKept = keepsAscii(codec);
}

QTextCodec *QCStringCodec::codec()
{
    return converters().codec;
}

QString QCStringCodec::toUnicode(const QByteArray &bytes)
{
    const int length = int(qstrnlen(bytes.constData(), uint(bytes.size())));
    Converters &run = converters();
    if (!run.decoder || (run.asciiKept && isAscii(bytes.constData(), length)))
        return QString::fromLatin1(bytes.constData(), length);
    QString text = run.decoder->toUnicode(bytes.constData(), length);
    if (run.decoder->needsMoreData()) {
        // the decoder keeps the start of a sequence for the next call: end
        // it here instead, as a conversion of its own would
        text += QChar(QChar::ReplacementCharacter);
        run.makeDecoder();
    }
    return text;
}

QByteArray QCStringCodec::fromUnicode(const QString &text)
{
    Converters &run = converters();
    if (!run.encoder || (run.asciiKept && isAscii(text)))
        return text.toLatin1();
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        // the encoder would keep a trailing high surrogate for the next call
        QByteArray bytes = run.encoder->fromUnicode(text.left(text.size() - 1));
        bytes += '?';
        return bytes;
    }
    return run.encoder->fromUnicode(text);
}
