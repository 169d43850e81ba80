#ifndef QFORMULAFIELD_H
#define QFORMULAFIELD_H

#include "focusdirection.h"

#include <QClipboard>
#include <QFrame>

class QFormula;
class QFormulaChar;
class QHBoxLayout;

// The editable cell of a formula: a horizontal run of glyphs and nested
// formulas with a cursor and a selection over it. The field takes typing and
// editing keys, places the cursor with the mouse, blinks the cursor while it
// has the focus and frames itself with a dotted outline when it is empty or
// focused. With autoBrakes it wraps its content in brackets of its own while
// the user types anything that is not a plain operand; those brackets then
// enclose exactly what the field holds, and the cursor stays between them.
// Typing builds formulas from the catalogue's templates: "/" a fraction of
// the operand before the cursor, "^" a power of it, "√" a root. Ctrl+C
// copies a selection as its line text; Ctrl+V, Shift+Insert and a middle
// click paste the clipboard's first line, read by the operators' precedence.
// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo.
class QFormulaField : public QFrame
{
    Q_OBJECT

public:
    explicit QFormulaField(QWidget *parent);

    void clear();
    void setText(const QString &text);
    void insertText(const QString &text, bool autoBracket);
    bool isBracketed() const;
    bool isPlainOperand() const;
    void wrapInBrackets();
    // Puts the field's own brackets round its content where typing that
    // content would have put them.
    void bracketContent();
    void removeSelection();
    void removeAt(int index);
    void setCursorPosition(int pos, bool leaveAtEdge, bool keepAnchor);
    QString itemClassName(int index) const;
    int cursorX(int index, int penWidth) const;
    int indexAt(const QPoint &pos) const;
    QString toLine(bool useDefault) const;
    void insertFormula(QFormula *formulaTemplate);
    // Takes the formula in as an item at the cursor, which stays in front of
    // it; Return in the formula is passed on as Return in this field.
    void holdFormula(QFormula *nested);
    // Hands the cursor on past the start (Left) or end (Right) of the field
    // to the field before or after it in reading order, or out of the
    // formula beside it; Up and Down to the field stacked above or below.
    void moveFocusOut(FocusDirection direction);
    // Puts the cursor at pos and the focus here.
    void focusAt(int pos);
    void selectAll();
    // The selected items as one line, as toLine writes them.
    QString selectedLine() const;
    // Types the text as keys do, building formulas from typed "/", "^",
    // "√", "|" and "sqrt(" when buildFormulas is set. Returns the field
    // that has the cursor afterwards.
    QFormulaField *typeText(const QString &text, bool buildFormulas = true);
    // Puts in the first line of the text by what it means: "1/2+2^10" a
    // fraction plus a power. Returns the field that has the cursor after it.
    QFormulaField *pasteText(const QString &text);
    // Takes the nested formula out and puts what its fields held in its
    // place, in reading order; the cursor before or after that.
    void unwrapFormula(QFormula *nested, bool cursorAfter);
    // Whether a double quote before pos is still open.
    bool insideQuotes(int pos) const;
    bool holdsDigitAt(int index) const;
    int indexOfItem(const QWidget *item) const;
    QFormula *formula() const;

    int itemCount() const;
    QWidget *itemWidget(int index) const;
    int cursorPosition() const { return cursorPos; }
    int anchorPosition() const { return anchorPos; }
    int outline() const { return outlineState; }
    bool isCursorVisible() const { return cursorVisible; }
    // Whether the field's own automatic brackets are its first and last item.
    bool hasOwnBrackets() const { return ownBrackets; }

    // Set by the formula that holds the field.
    float fontSizeMult = 1.0;
    QString defValue;
    bool autoBrakes = false;
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    // Takes the operand or the selection that its formula is built around.
    bool operand = false;
    // Holds the template's fixed text, such as "sin".
    bool caption = false;

signals:
    void returnPressed();
    // Items came or went, here or in a formula held here.
    void contentChanged();
    // The cursor or the selection moved, here or in a formula held here.
    void cursorMoved();

protected:
    bool event(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum Outline { NoOutline = 0, EmptyOutline = 1, FocusOutline = 2 };

    QFormulaChar *glyphAt(int index) const;
    bool glyphIs(int index, const QString &text) const;
    bool hasSelection() const { return cursorPos != anchorPos; }
    int contentStart() const;
    int contentEnd() const;
    int matchingBracket(int open) const;
    int matchingOpening(int close) const;
    int bracketDepthBefore(int pos) const;
    QString lineOf(int from, int to) const;
    bool handlesKey(QKeyEvent *event) const;
    bool editSelection(QKeyEvent *event);
    void copySelection(QClipboard::Mode mode) const;
    void paste(QClipboard::Mode mode);
    void placeCursor(int pos);
    void editByKey(QKeyEvent *event);
    QFormulaField *typeCharacter(QChar ch, bool buildFormulas);
    QFormulaField *buildTyped(const QFormula *formulaTemplate, bool infix, int glyphsBefore);
    QFormulaField *buildAround(const QFormula *formulaTemplate, QVector<QWidget *> items);
    QFormulaField *closeBracket();
    QFormulaField *pasteRange(const QString &text, int from, int to);
    QString glyphsBefore(int pos) const;
    int operandStart() const;
    QVector<QWidget *> takeItems(int from, int to);
    void putItems(const QVector<QWidget *> &items);
    void moveLeft();
    void moveRight();
    void moveVertically(FocusDirection direction);
    void leaveFormula(bool toRight);
    void backspace();
    void deleteForward();
    void removeBefore();
    void removeAfter();
    void fitOwnBrackets();
    bool closesUnopened() const;
    bool bracketsPair() const;
    int bracketDepth() const;
    void takeFocusFromProxy();
    void releaseRemovedProxy(QWidget *removed);
    void linkFocusProxies();
    void paintSelection(QPainter &painter, int cursorLeft, int penWidth);
    void paintCursor(QPainter &painter, int cursorLeft, int penWidth);
    void paintOutline(QPainter &painter);

    int outlineState = NoOutline;
    int cursorPos = 0;
    int anchorPos = 0;
    int blinkTimerId = 0;
    bool cursorVisible = false;
    bool pressedInSelection = false;
    bool ownBrackets = false;
    QHBoxLayout *layout;
};

#endif
