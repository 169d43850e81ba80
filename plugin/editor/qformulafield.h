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
// Ctrl+C copies a selection as its line text, Ctrl+V, Shift+Insert and a
// middle click type the clipboard's first line as if it were typed.
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
    void moveFocusOut(FocusDirection direction);
    void selectAll();
    // The selected items as one line, as toLine writes them.
    QString selectedLine() const;
    // Types the first line of the text, character by character, as keys do.
    void typeLine(const QString &text);

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

private:
    enum Outline { NoOutline = 0, EmptyOutline = 1, FocusOutline = 2 };

    QFormula *formula() const;
    QFormulaChar *glyphAt(int index) const;
    bool glyphIs(int index, const QString &text) const;
    bool hasSelection() const { return cursorPos != anchorPos; }
    int contentStart() const;
    int contentEnd() const;
    int matchingBracket(int open) const;
    QString lineOf(int from, int to) const;
    bool handlesKey(QKeyEvent *event) const;
    bool editSelection(QKeyEvent *event);
    void copySelection(QClipboard::Mode mode) const;
    void paste(QClipboard::Mode mode);
    void placeCursor(int pos);
    void removeBefore();
    void removeAfter();
    void fitOwnBrackets();
    bool closesUnopened() const;
    bool bracketsPair() const;
    int bracketDepth() const;
    void takeFocusFromProxy();
    void releaseRemovedProxy(QWidget *removed);
    void stayInside(FocusDirection direction);
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
