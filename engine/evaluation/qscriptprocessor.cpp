#include "qscriptprocessor.h"

#include "arithmeticfunctions.h"
#include "linkingpass.h"
#include "normalizationpass.h"
#include "operatorpass.h"
#include "qcstringcodec.h"
#include "qdatafile.h"
#include "qdebugtext.h"
#include "qfilecache.h"
#include "qfilelayout.h"
#include "qscriptmodule.h"
#include "stringliterals.h"
#include "translationpass.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cstring>

namespace
{

const QString programStart = QStringLiteral("var ANS = new Array(); ANS.push(0);");
const QString programEnd = QStringLiteral("ANS[0]=ANS.length-1; ANS;");

const int lookupsBeforeListing = 32;

const int operatorLineLimit = 500;

// The edition of the rules by which the passes before the module pass
// translate a statement; a new edition leaves the translations cached under
// an older one unused.
const int translationRules = 5;

// True for a piece of the operator file that holds only white space or a
// comment, told from its bytes: such a piece is not worth converting.
bool isBlankOrComment(const QByteArray &text, int from, int end)
{
    while (from < end && std::strchr(" \t\n\r\v\f", text.at(from)) && text.at(from) != '\0')
        ++from;
    return from == end || (from + 1 < end && text.at(from) == '/' && text.at(from + 1) == '/');
}

// Sets of the characters below 128, as two words of bits.
using AsciiBits = quint64[2];

void addAscii(AsciiBits &bits, ushort unit)
{
    bits[unit / 64] |= quint64(1) << (unit % 64);
}

bool hasAscii(const AsciiBits &bits, ushort unit)
{
    return bits[unit / 64] >> (unit % 64) & 1;
}

// The words of an entry's third column: chains grouped from the right; an
// infix sign, alone or binding as tightly as the entry above; an assignment.
const QString rightToLeft = QStringLiteral("right-to-left");
const QString infix = QStringLiteral("infix");
const QString infixWithAbove = QStringLiteral("infix-with-above");
const QString assignment = QStringLiteral("assignment");

} // namespace

// The shipped operator table as the build embedded it.
static QByteArray shippedTable()
{
    static const QByteArray table = [] {
        Q_INIT_RESOURCE(shippedtable);
        QFile file(QStringLiteral(":/tovel/tovel_operators.conf"));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    return table;
}

QScriptProcessor::QScriptProcessor()
{
    loadOperators();
    cache = new QFileCache(QStringLiteral("tovel_cache.dat"), 1024, translationStamp());
}

QScriptProcessor::~QScriptProcessor()
{
    delete cache;
    qDeleteAll(modules);
}

QString QScriptProcessor::buildProgram(const QStringList &statements)
{
    QString body = programStart;
    for (const QString &statement : statements) {
        QString translated = statement;
        processStatement(translated);
        body += translated;
    }
    body += programEnd;
    return LinkingPass::programPrefix(modules) + body;
}

void QScriptProcessor::processStatement(QString &statement)
{
    if (statement.isEmpty())
        return;
    const QString cached = cache->value(statement);
    if (!cached.isEmpty()) {
        statement = cached;
        linkModules(statement);
        qDebug().noquote() << debugStreamText(QStringLiteral("cached script: "), statement);
        return;
    }
    const QString key = statement;
    normalize(statement);
    translateStatement(statement);
    applyOperators(statement);
    if (statement.isEmpty())
        return;
    // stored before the module pass, which runs on every cached translation
    cache->insert(key, statement);
    linkModules(statement);
    qDebug().noquote() << debugStreamText(QStringLiteral("script: "), statement);
}

void QScriptProcessor::normalize(QString &statement)
{
    NormalizationPass::apply(statement);
}

void QScriptProcessor::translateStatement(QString &statement)
{
    TranslationPass::apply(statement);
}

void QScriptProcessor::linkModules(QString &statement)
{
    const QStringList names = words(statement);
    for (const QString &name : names) {
        // a word that stands there only with capitals is the engine's own
        // (ANS, DecSum): the names the notation leaves are lower case
        if (!statement.contains(name))
            continue;
        const QScriptModule *found = module(name);
        if (found && !found->code.isEmpty())
            LinkingPass::adapt(statement, name, found->kind);
    }
}

QScriptModule *QScriptProcessor::module(const QString &name)
{
    const auto known = modules.constFind(name);
    if (known != modules.constEnd())
        return known.value();
    modules.insert(name, nullptr); // ends "#use " cycles at this module
    QScriptModule *loaded = new QScriptModule(name, this);
    modules.insert(name, loaded);
    return loaded;
}

bool QScriptProcessor::mayHaveModuleFile(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return true; // a "#use " line may name a file further down
    // a listing costs as much as some forty attempts to open a file, so a
    // line lists the directory only once it has looked up that many names
    if (!libraryListed && ++unlistedLookups <= lookupsBeforeListing)
        return true;
    if (!libraryListed) {
        // unsorted and without a name filter, which would sort the names and
        // match each against a pattern: the suffix is checked here, with the
        // name filter's case insensitivity
        const QStringList directories = QFileLayout::directories();
        for (const QString &directory : directories) {
            const QStringList files =
                QDir(directory + QStringLiteral("/scripts"))
                    .entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Unsorted);
            for (const QString &file : files) {
                if (file.endsWith(QLatin1String(".js"), Qt::CaseInsensitive))
                    libraryFiles.insert(file.chopped(3));
            }
        }
        libraryListed = true;
    }
    return libraryFiles.contains(name);
}

QStringList QScriptProcessor::words(const QString &text)
{
    return LinkingPass::words(text);
}

void QScriptProcessor::loadOperators()
{
    operators.clear();
    levels.clear();
    operatorStamp.clear();
    asciiStarts[0] = asciiStarts[1] = 0;
    otherStarts.clear();
    QFile file(QFileLayout::locate(QStringLiteral("tovel_operators.conf")));
    QByteArray text;
    if (QDataFile::open(file, QIODevice::ReadOnly)) {
        text = QDataFile::readAll(file);
    } else {
        // without a table of its own the tree gets the shipped one, so that
        // no sign silently means something else (2^3 the exclusive or)
        qWarning("QScriptProcessor: Unable to read %s", file.fileName().toLocal8Bit().constData());
        text = shippedTable();
    }
    // The prompt reads the same file line after line: its entries and stamp
    // are kept for the text and code page last read, which spares reading
    // them out again.
    static struct {
        QByteArray text;
        QTextCodec *codec = nullptr;
        QList<OperatorEntry> entries;
        QVector<OperatorPass::Level> levels;
        QString stamp; // empty until a table was read out
        quint64 asciiStarts[2] = {0, 0};
        QString otherStarts;
    } last;
    if (!last.stamp.isEmpty() && text == last.text && QCStringCodec::codec() == last.codec) {
        operators = last.entries;
        levels = last.levels;
        operatorStamp = last.stamp;
        std::copy(last.asciiStarts, last.asciiStarts + 2, asciiStarts);
        otherStarts = last.otherStarts;
        return;
    }
    // the file, up to the bound of a data file, is taken in lines of at most
    // 500 bytes: a longer line makes several pieces, each a line of its own
    for (int at = 0; at < text.size();) {
        const int lineEnd = text.indexOf('\n', at);
        const int end = qMin(lineEnd < 0 ? text.size() : lineEnd + 1, at + operatorLineLimit);
        if (!isBlankOrComment(text, at, end))
            addOperator(QCStringCodec::toUnicode(text.mid(at, end - at)));
        at = end;
    }
    operatorStamp = tableStamp(operators);
    prepareLevels();
    for (const OperatorEntry &entry : qAsConst(operators)) {
        const ushort start = entry.name.at(0).unicode();
        if (start < 128)
            addAscii(asciiStarts, start);
        else if (!otherStarts.contains(entry.name.at(0)))
            otherStarts += entry.name.at(0);
    }
    last.text = text;
    last.codec = QCStringCodec::codec();
    last.entries = operators;
    last.levels = levels;
    last.stamp = operatorStamp;
    std::copy(asciiStarts, asciiStarts + 2, last.asciiStarts);
    last.otherStarts = otherStarts;
}

void QScriptProcessor::addOperator(const QString &piece)
{
    QString line = piece.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1String("//")))
        return;
    line.remove(QLatin1Char(' '));
    // the columns are cut at tabs: name, template, grouping
    const int nameEnd = line.indexOf(QLatin1Char('\t'));
    const int patternEnd = nameEnd < 0 ? -1 : line.indexOf(QLatin1Char('\t'), nameEnd + 1);
    const int groupingEnd = patternEnd < 0 ? -1 : line.indexOf(QLatin1Char('\t'), patternEnd + 1);
    const QString name = line.left(nameEnd);
    const QString pattern =
        nameEnd < 0 ? QString() : line.mid(nameEnd + 1, patternEnd - nameEnd - 1);
    const QStringRef word =
        patternEnd < 0 ? QStringRef() : line.midRef(patternEnd + 1, groupingEnd - patternEnd - 1);
    if (name.isEmpty() || pattern.isEmpty())
        return;
    OperatorEntry entry;
    entry.name = name;
    entry.pattern = pattern;
    if (word == rightToLeft)
        entry.grouping = OperatorPass::RightToLeft;
    else if (word == infix || word == infixWithAbove)
        entry.grouping = OperatorPass::Infix;
    else if (word == assignment)
        entry.grouping = OperatorPass::Assignment;
    entry.foldsChains =
        entry.grouping == OperatorPass::Infix && ArithmeticFunctions::takesChains(entry.pattern);
    entry.withAbove = word == infixWithAbove && !operators.isEmpty() &&
                      operators.back().grouping == OperatorPass::Infix;
    operators << entry;
}

void QScriptProcessor::prepareLevels()
{
    for (int first = 0; first < operators.size();) {
        // the entries that bind alike apply together
        QVector<OperatorPass::Entry> level{operators.at(first)};
        int next = first + 1;
        for (; next < operators.size() && operators.at(next).withAbove; ++next)
            level << operators.at(next);
        levels << OperatorPass::prepareLevel(level);
        first = next;
    }
}

QString QScriptProcessor::translationStamp() const
{
    // translations hold translated error texts, such as that of a malformed
    // cycle head: the language of the catalogues goes into the stamp
    return QStringLiteral("rules %1, operator table %2, language %3")
        .arg(translationRules)
        .arg(operatorStamp.isEmpty() ? QStringLiteral("none") : operatorStamp,
             QLocale::languageToString(QLocale().language()));
}

// FNV-1a over the entries: a table of a few hundred characters costs a few
// hundred steps.
QString QScriptProcessor::tableStamp(const QList<OperatorEntry> &entries)
{
    quint64 hash = 14695981039346656037ULL;
    const auto add = [&hash](ushort unit) { hash = (hash ^ unit) * 1099511628211ULL; };
    for (const OperatorEntry &entry : entries) {
        for (const QString *text : {&entry.name, &entry.pattern}) {
            for (const QChar c : *text)
                add(c.unicode());
            add('\t');
        }
        add(ushort('0' + entry.grouping));
        add(ushort(entry.withAbove ? '+' : '0'));
    }
    return QStringLiteral("%1").arg(hash, 16, 16, QLatin1Char('0'));
}

bool QScriptProcessor::mayHoldOperators(const QString &statement) const
{
    for (const QChar c : statement) {
        const ushort unit = c.unicode();
        if (unit < 128 ? hasAscii(asciiStarts, unit) : otherStarts.contains(c))
            return true;
    }
    return false;
}

void QScriptProcessor::applyOperators(QString &statement) const
{
    if (!mayHoldOperators(statement))
        return;
    // A table can make a statement grow without bound, and entries of the
    // rescanning form take quadratic time: past this size, or once they have
    // spent this budget of work (a fraction of a second), the statement
    // becomes an error.
    const int maxSize = int(qMin<qint64>(INT_MAX / 2, 16 * qint64(statement.size()) + 65536));
    qint64 budget = qMax<qint64>(qint64(1) << 20, 64 * qint64(statement.size()));
    // the entries never see the text of a string literal
    const StringLiterals::Hidden literals(statement);
    // the characters below 128 that stand in the statement, as bits, taken
    // anew after each level that rewrote it: an entry whose first character
    // is missing is missing too
    AsciiBits asciiPresent;
    const auto notePresent = [&] {
        asciiPresent[0] = asciiPresent[1] = 0;
        for (const QChar c : qAsConst(statement)) {
            if (c.unicode() < 128)
                addAscii(asciiPresent, c.unicode());
        }
    };
    const auto stands = [&](const OperatorPass::Entry &entry) {
        const ushort first = entry.name.at(0).unicode();
        return (first >= 128 || hasAscii(asciiPresent, first)) && statement.contains(entry.name);
    };
    notePresent();
    for (const OperatorPass::Level &level : qAsConst(levels)) {
        if (!std::any_of(level.entries.begin(), level.entries.end(), stands))
            continue;
        if (!OperatorPass::applyLevel(statement, level, maxSize, &budget)) {
            statement = TranslationPass::throwStatement(QCoreApplication::translate(
                "QScriptProcessor", "The operator table makes the statement too long"));
            return;
        }
        notePresent();
    }
    literals.restore(statement);
}
