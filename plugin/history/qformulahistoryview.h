#ifndef QFORMULAHISTORYVIEW_H
#define QFORMULAHISTORYVIEW_H

#include <QFrame>
#include <QTimer>

class QFormula;
class QFormulaHistory;
class QFormulaProvider;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The panel's history list: every entry of the history drawn as the formula
// it was, by the editor's own widgets made read-only, above its answer,
// oldest at the top. An entry's formula is built when the entry first comes
// into view, so a long history costs little until it is scrolled. A click
// on an entry chooses it; the entry shown in the editor is marked. The list
// never scrolls sideways: formulas and answers wider than it end in "…".
// "Clear history" below the list empties the history once the user
// confirms it. A history whose file is another program's says that this
// session's entries are not kept.
class QFormulaHistoryView : public QFrame
{
    Q_OBJECT

public:
    explicit QFormulaHistoryView(QWidget *parent);

    // The formulas are rebuilt from their templates; entries whose
    // templates are unknown are left out.
    void setHistory(QFormulaHistory *history, const QFormulaProvider *templates);
    int entryCount() const;
    QWidget *entryWidget(int index) const;
    const QFormulaHistory *formulaHistory() const { return history; }

    QSize minimumSizeHint() const override;

signals:
    void entryChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void askToClear();
    void refill();
    void appendEntry();
    void markCurrent(int index);
    void scrolled(int value);
    void listResized(int minimum, int maximum);
    void buildEntriesInView();

private:
    void listChanged();
    QWidget *createEntry(int index);
    void buildEntry(QWidget *entry);
    void resizePlaceholders();
    QFormula *readOnlyFormula(int index) const;

    QFormulaHistory *history = nullptr;
    const QFormulaProvider *templates = nullptr;
    QLabel *caption;
    QScrollArea *scrollArea;
    QWidget *list;
    QVBoxLayout *listLayout;
    QPushButton *clearButton;
    QLabel *notice;
    QTimer buildTimer;
    int entryHeight;
    // Whether the list keeps its end, the newest entry, in view.
    bool followNewest = true;
};

#endif
