#ifndef QFORMULAANNOUNCER_H
#define QFORMULAANNOUNCER_H

#include "qformulaspeech.h"

#include <QObject>
#include <QTimer>

class QFormula;

// Tells screen readers what changed in an edited formula, once each edit or
// move has settled: the words removed and inserted in its text, the caret's
// new offset, the selection, and, when the cursor went into another field,
// that field's name as the formula's new description.
class QFormulaAnnouncer : public QObject
{
    Q_OBJECT

public:
    explicit QFormulaAnnouncer(QFormula *formula);

private slots:
    void follow() { update(true); }

private:
    // Takes in the formula as it now stands, and tells what changed when
    // announce is set.
    void update(bool announce);
    void announceText(const QString &text, int caret);

    QFormula *formula;
    QTimer settle;
    QString text;
    int caret = -1;
    int selectionStart = 0;
    int selectionEnd = 0;
    QFormulaSpeech::FieldPath field;
    bool focused = false;
};

#endif
