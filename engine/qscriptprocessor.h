#ifndef QSCRIPTPROCESSOR_H
#define QSCRIPTPROCESSOR_H

#include <QObject>
#include <QStringList>

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
};

#endif
