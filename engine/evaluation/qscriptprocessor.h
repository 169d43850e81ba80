#ifndef QSCRIPTPROCESSOR_H
#define QSCRIPTPROCESSOR_H

#include "operatorpass.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>

class QFileCache;
class QScriptModule;

// Rewrites the statements of one line of calculator notation into one
// ECMAScript program. Each statement runs through a row of passes that change
// it in place.
class QScriptProcessor : public QObject
{
    Q_OBJECT

public:
    QScriptProcessor();
    ~QScriptProcessor() override;

    QString buildProgram(const QStringList &statements);
    void processStatement(QString &statement);

    // Pass 1: implicit multiplication, lower case and no blanks outside
    // string literals.
    static void normalize(QString &statement);
    // Pass 2: comments, block heads, definitions, assignments and answers.
    static void translateStatement(QString &statement);
    // Pass 3: the entries of the operator table, in file order.
    void applyOperators(QString &statement) const;
    // Pass 4: loads the library modules that the statement names and adapts
    // the statement to their kinds.
    void linkModules(QString &statement);

    // The module of a name, loaded at its first lookup in this line; null
    // while it is still loading.
    QScriptModule *module(const QString &name);
    // The distinct runs of letters of a text, lower-cased, in order.
    static QStringList words(const QString &text);
    // False when "scripts/" certainly holds no file for the module: after
    // the first few look-ups of a line the directory is listed, once, so
    // that the words of a long line cost no attempt to open a file each.
    bool mayHaveModuleFile(const QString &name);

    // What the cache's translations are made under: the rules of the passes
    // before the module pass, the operator table this processor read (none
    // when it read none) and the language of the translated texts.
    // The module pass runs on every translation the cache gives back, so
    // translations do not depend on the library.
    QString translationStamp() const;

private:
    struct OperatorEntry : OperatorPass::Entry {
        bool withAbove = false; // binds as tightly as the entry above
    };

    void loadOperators();
    // The entries in levels of those that bind alike, each read once.
    void prepareLevels();
    // One line of the operator file: an entry, or nothing for a comment or
    // a line without name or template.
    void addOperator(const QString &piece);
    static QString tableStamp(const QList<OperatorEntry> &entries);
    // False when no entry's name can stand in the statement: most
    // statements hold none of the table's signs.
    bool mayHoldOperators(const QString &statement) const;

    QFileCache *cache = nullptr;
    QList<OperatorEntry> operators;
    QVector<OperatorPass::Level> levels;
    QString operatorStamp; // tells the entries apart from any other table's
    // the first characters of the entries' names: those below 128 as bits
    quint64 asciiStarts[2] = {0, 0};
    QString otherStarts;
    QMap<QString, QScriptModule *> modules;
    QSet<QString> libraryFiles;
    bool libraryListed = false;
    int unlistedLookups = 0;
};

#endif
