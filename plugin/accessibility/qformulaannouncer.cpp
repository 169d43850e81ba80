#include "qformulaannouncer.h"

#include "qanswerline.h"
#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulafield.h"

#include <QAccessible>
#include <QApplication>

QFormulaAnnouncer::QFormulaAnnouncer(QFormula *formula) : QObject(formula), formula(formula)
{
    settle.setSingleShot(true);
    settle.setInterval(0);
    connect(&settle, &QTimer::timeout, this, &QFormulaAnnouncer::follow);
    const auto schedule = [this]() { settle.start(); };
    connect(formula, &QFormula::contentChanged, this, schedule);
    connect(formula, &QFormula::cursorMoved, this, schedule);
    connect(qApp, &QApplication::focusChanged, this, schedule);
    for (QWidget *holder = formula->parentWidget(); holder; holder = holder->parentWidget())
        if (qobject_cast<QFormulaDisplay *>(holder))
            if (auto *answerLine = holder->findChild<QAnswerLine *>())
                connect(answerLine, &QAnswerLine::announced, this, &QFormulaAnnouncer::passOn);
    update(false);
}

void QFormulaAnnouncer::passOn(const QString &text)
{
    const QWidget *focusWidget = QApplication::focusWidget();
    if (!focusWidget || !formula->isAncestorOf(focusWidget))
        return;
    passedOn = text;
    QAccessibleEvent described(formula, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void QFormulaAnnouncer::update(bool announce)
{
    const QFormulaSpeech speech = QFormulaSpeech::ofFormula(formula);
    QFormulaSpeech::FieldPath path;
    const QFormulaField *cursorField = QFormulaSpeech::cursorField(formula, &path);
    const int newCaret = cursorField ? speech.offsetOf(path, cursorField->cursorPosition()) : 0;
    const int anchor = cursorField ? speech.offsetOf(path, cursorField->anchorPosition()) : 0;
    const QWidget *focusWidget = QApplication::focusWidget();
    const bool nowFocused = focusWidget && formula->isAncestorOf(focusWidget);
    const QString oldText = text;
    const bool caretMoved = newCaret != caret;
    const bool selectionMoved =
        qMin(newCaret, anchor) != selectionStart || qMax(newCaret, anchor) != selectionEnd;
    // Focus that comes into the formula is announced as focus, with the
    // field's name; only a move between its fields names the field anew.
    const bool movedField = path != field && focused && nowFocused;
    if (speech.text() != oldText || caretMoved || path != field)
        passedOn.clear();
    text = speech.text();
    caret = newCaret;
    selectionStart = qMin(newCaret, anchor);
    selectionEnd = qMax(newCaret, anchor);
    field = path;
    focused = nowFocused;
    if (!announce)
        return;
    if (text != oldText) {
        announceText(oldText);
    } else if (caretMoved) {
        QAccessibleTextCursorEvent moved(formula, caret);
        QAccessible::updateAccessibility(&moved);
    }
    if (selectionMoved) {
        QAccessibleTextSelectionEvent selected(formula, selectionStart, selectionEnd);
        QAccessible::updateAccessibility(&selected);
    }
    if (movedField) {
        QAccessibleEvent described(formula, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

// The text between the common start and the common end changed: what stood
// there is removed, what stands there now is inserted.
void QFormulaAnnouncer::announceText(const QString &oldText)
{
    int start = 0;
    while (start < oldText.size() && start < text.size() && oldText.at(start) == text.at(start))
        ++start;
    int end = 0;
    while (end < oldText.size() - start && end < text.size() - start &&
           oldText.at(oldText.size() - 1 - end) == text.at(text.size() - 1 - end))
        ++end;
    const QString removed = oldText.mid(start, oldText.size() - start - end);
    const QString inserted = text.mid(start, text.size() - start - end);
    if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent removal(formula, start, removed);
        removal.setCursorPosition(inserted.isEmpty() ? caret : start);
        QAccessible::updateAccessibility(&removal);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent insertion(formula, start, inserted);
        insertion.setCursorPosition(caret);
        QAccessible::updateAccessibility(&insertion);
    }
}
