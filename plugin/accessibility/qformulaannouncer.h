#ifndef QFORMULAANNOUNCER_H
#define QFORMULAANNOUNCER_H

#include "qformulaspeech.h"

#include <QObject>
#include <QTimer>

class QFormula;

// Tells screen readers what changed in an edited formula, once each edit or
// move has settled: the words removed and inserted in its text, the caret's
// new offset, the selection, and, when the cursor went into another field,
// that field's name as the formula's new description. What the answer line
// of its display announces while the formula has the focus becomes the
// formula's description too, until the next edit or move: screen readers
// speak the description changes of the object with the focus.
class QFormulaAnnouncer : public QObject
{
    Q_OBJECT

public:
    explicit QFormulaAnnouncer(QFormula *formula);

    // The answer passed on, or nothing once the formula changed again.
    QString announcement() const { return passedOn; }

private slots:
    void follow() { update(true); }
    void passOn(const QString &text);

private:
    // Takes in the formula as it now stands, and tells what changed when
    // announce is set.
    void update(bool announce);
    // Tells what changed from the old text to the text as it now stands.
    void announceText(const QString &oldText);

    QFormula *formula;
    QTimer settle;
    QString text;
    int caret = -1;
    int selectionStart = 0;
    int selectionEnd = 0;
    QFormulaSpeech::FieldPath field;
    bool focused = false;
    QString passedOn;
};

#endif
