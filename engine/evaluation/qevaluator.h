#ifndef QEVALUATOR_H
#define QEVALUATOR_H

#include "qscriptprocessor.h"

class QEvaluationGuard;
class QTimer;

#include <QScriptEngine>
#include <QScriptValue>

// Evaluates one input line: translates it into one program, runs it in a
// fresh script engine and turns the completion value into printable text.
class QEvaluator
{
public:
    enum NumberFormat { FixedNotation = 0, ExponentialNotation = 2 };

    QEvaluator();

    // A line that runs longer than the limit fails, where the engine looks
    // at the time: in its loops and calls (it needs the application object).
    // No limit when 0, the default.
    void setTimeLimit(int milliseconds);
    // Translates and evaluates the line, then turns every answer that is no
    // number into text, so that an exception raised there (a toString that
    // throws, a nesting too deep for the engine) is the line's error too.
    void process(const QString &line);
    // True when the evaluation, or turning its answers into text, ended with
    // an uncaught exception, whatever value was thrown.
    bool isError() const { return failed; }
    QString resultText(int format, int precision) const;
    int answerCount() const;

    static QString errorText(const QString &message);
    static QString formatNumber(double number, int format, int precision);
    static QString trimZeros(const QString &number);

private:
    struct Answer {
        bool isNumber = false;
        double number = 0;
        QString text;
    };

    // The script text of a value; false when its toString threw, with the
    // thrown value in place of the value.
    bool toText(QScriptValue &value, QString &text);
    void limitTime(QTimer &timer);
    void takeAnswers();
    void fail(const QScriptValue &thrown);
    void failWith(const QString &text);

    QScriptEngine engine;
    QEvaluationGuard *guard; // owned by the engine
    QScriptProcessor processor;
    QScriptValue result;
    int timeLimit = 0;
    bool failed = false;
    bool isArray = false;
    QList<Answer> answers;
    QString message;
};

#endif
