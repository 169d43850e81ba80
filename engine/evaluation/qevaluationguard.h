#ifndef QEVALUATIONGUARD_H
#define QEVALUATIONGUARD_H

#include <QDeadlineTimer>
#include <QScriptEngineAgent>
#include <QScriptString>
#include <QScriptValue>
#include <QSet>
#include <QVector>

// Stops a runaway evaluation: one whose strings run away, or one its owner
// stops. The script engine counts a string's length in 32 bits and builds a
// concatenation lazily, so a string doubled 32 times reports a length of 0,
// and turning it into text crashes the program. Before each statement the
// guard looks at the variables of the running scope that the programs name:
// every one that held a string when it was last looked at, and a few others
// in turn. Once one holds a string longer than maxLength, it aborts the
// evaluation.
class QEvaluationGuard : public QScriptEngineAgent
{
public:
    static constexpr int maxLength = 1 << 24;

    explicit QEvaluationGuard(QScriptEngine *engine);

    void scriptLoad(qint64 id, const QString &program, const QString &fileName,
                    int baseLineNumber) override;
    void positionChange(qint64 scriptId, int lineNumber, int columnNumber) override;

    // Aborts the running evaluation, which then fails with the text.
    void stop(const QString &text);
    // Stops the evaluation with the text at its first statement after the
    // deadline.
    void stopAt(const QDeadlineTimer &when, const QString &text);
    // True when the value is a string longer than maxLength.
    bool isTooLong(const QScriptValue &value);
    // True once the guard aborted an evaluation.
    bool stopped() const { return !stopText.isEmpty(); }
    // The error text of the run the guard stopped.
    QString errorText() const { return stopText; }
    static QString longStringText();

private:
    // false once the name was found holding a string that is too long
    bool checkName(int index, const QScriptValueList &scopes);
    static QScriptValue valueOf(const QScriptString &name, const QScriptValueList &scopes);

    QVector<QScriptString> names;
    QSet<QString> known;
    QVector<bool> holdsString;
    QVector<int> stringNames; // the indexes whose holdsString is set
    int nextInTurn = 0;
    QScriptValue lengthOf;
    QDeadlineTimer deadline{QDeadlineTimer::Forever};
    QString deadlineText;
    bool measuring = false;
    QString stopText;
};

#endif
