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
    if (!announce) {
        text = speech.text();
        caret = newCaret;
        selectionStart = qMin(newCaret, anchor);
        selectionEnd = qMax(newCaret, anchor);
        field = path;
        focused = nowFocused;
        return;
    }
    if (speech.text() != text || newCaret != caret || path != field)
        passedOn.clear();
    if (speech.text() != text) {
        announceText(speech.text(), newCaret);
    } else if (newCaret != caret) {
        QAccessibleTextCursorEvent moved(formula, newCaret);
        QAccessible::updateAccessibility(&moved);
    }
    caret = newCaret;
    if (qMin(newCaret, anchor) != selectionStart || qMax(newCaret, anchor) != selectionEnd) {
        selectionStart = qMin(newCaret, anchor);
        selectionEnd = qMax(newCaret, anchor);
        QAccessibleTextSelectionEvent selected(formula, selectionStart, selectionEnd);
        QAccessible::updateAccessibility(&selected);
    }
    // Focus that comes into the formula is announced as focus, with the
    // field's name; only a move between its fields names the field anew.
    const bool movedField = path != field && focused && nowFocused;
    field = path;
    focused = nowFocused;
    if (movedField) {
        QAccessibleEvent described(formula, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

// The text between the common start and the common end went: what stood
// there is removed, what stands there now is inserted.
void QFormulaAnnouncer::announceText(const QString &newText, int newCaret)
{
    int start = 0;
    while (start < text.size() && start < newText.size() && text.at(start) == newText.at(start))
        ++start;
    int end = 0;
    while (end < text.size() - start && end < newText.size() - start &&
           text.at(text.size() - 1 - end) == newText.at(newText.size() - 1 - end))
        ++end;
    const QString removed = text.mid(start, text.size() - start - end);
    const QString inserted = newText.mid(start, newText.size() - start - end);
    text = newText;
    if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent removal(formula, start, removed);
        removal.setCursorPosition(inserted.isEmpty() ? newCaret : start);
        QAccessible::updateAccessibility(&removal);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent insertion(formula, start, inserted);
        insertion.setCursorPosition(newCaret);
        QAccessible::updateAccessibility(&insertion);
    }
}
