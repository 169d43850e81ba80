#ifndef QEVALUATOR_H
#define QEVALUATOR_H

#include "qscriptprocessor.h"

#include <QScriptEngine>
#include <QScriptValue>

// Evaluates one input line: translates it into one program, runs it in a
// fresh script engine and turns the completion value into printable text.
class QEvaluator
{
public:
    enum NumberFormat { FixedNotation = 0, ExponentialNotation = 2 };

    QEvaluator();

    void process(const QString &line);
    // True when the evaluation ended with an uncaught exception, whatever
    // value was thrown.
    bool isError() const { return failed; }
    QString resultText(int format, int precision) const;
    int answerCount() const;

    static QString errorText(const QString &message);
    static QString formatNumber(double number, int format, int precision);
    static QString trimZeros(const QString &number);

private:
    QScriptEngine engine;
    QScriptProcessor processor;
    QScriptValue result;
    bool failed = false;
};

#endif
