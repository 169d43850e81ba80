#include "qformulahistoryview.h"

#include "formulafont.h"
#include "qelidedformula.h"
#include "qelidedlabel.h"
#include "qformula.h"
#include "qformulafield.h"
#include "qformulahistory.h"
#include "qformulaprovider.h"

#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
const char *entryProperty = "entry";
const char *currentProperty = "current";
// The history's formulas are set smaller than the edited one.
const int formulaPointSize = 12;
// The list is at least this many characters of its font wide; an answer
// below its formula, and the formula itself, end in "…" where they are
// wider than the list.
const int answerWidth = 16;
// The height an entry is taken to have until one has been built: a
// formula of three lines above its answer.
const int guessedLines = 4;
} // namespace

QFormulaHistoryView::QFormulaHistoryView(QWidget *parent)
    : QFrame(parent), caption(new QLabel(tr("History"), this)), scrollArea(new QScrollArea(this)),
      list(new QWidget), listLayout(new QVBoxLayout(list)),
      clearButton(new QPushButton(tr("Clear history"), this)),
      notice(new QLabel(tr("The history file belongs to another program: the entries of this "
                           "session are not kept."),
                        this))
{
    notice->setObjectName(QStringLiteral("historyNotice"));
    notice->setWordWrap(true);
    notice->hide();
    setObjectName(QStringLiteral("history"));
    caption->setObjectName(QStringLiteral("title"));
    list->setObjectName(QStringLiteral("historyList"));
    list->setAccessibleName(caption->text());
    listLayout->setContentsMargins(2, 2, 2, 2);
    listLayout->setSpacing(2);
    listLayout->addStretch(1);
    scrollArea->setWidget(list);
    scrollArea->setWidgetResizable(true);
    // Entries are cut at the list's edge: the list never scrolls sideways.
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->viewport()->installEventFilter(this);
    buildTimer.setSingleShot(true);
    buildTimer.setInterval(0);
    connect(&buildTimer, &QTimer::timeout, this, &QFormulaHistoryView::buildEntriesInView);
    QScrollBar *scrollBar = scrollArea->verticalScrollBar();
    connect(scrollBar, &QScrollBar::valueChanged, this, &QFormulaHistoryView::scrolled);
    connect(scrollBar, &QScrollBar::rangeChanged, this, &QFormulaHistoryView::listResized);
    clearButton->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(caption);
    layout->addWidget(notice);
    layout->addWidget(scrollArea, 1);
    layout->addWidget(clearButton);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    entryHeight = guessedLines * QFontMetrics(formulaFont(formulaPointSize)).height();
}

void QFormulaHistoryView::setHistory(QFormulaHistory *newHistory,
                                     const QFormulaProvider *newTemplates)
{
    history = newHistory;
    templates = newTemplates;
    history->keepOnly([newTemplates](const QFormulaHistory::Entry &entry) {
        return newTemplates->describes(entry.formula);
    });
    connect(history, &QFormulaHistory::entriesChanged, this, &QFormulaHistoryView::refill);
    connect(history, &QFormulaHistory::entryAdded, this, &QFormulaHistoryView::appendEntry);
    connect(history, &QFormulaHistory::currentChanged, this, &QFormulaHistoryView::markCurrent);
    connect(history, &QFormulaHistory::notKept, notice, &QWidget::show);
    connect(clearButton, &QPushButton::clicked, this, &QFormulaHistoryView::askToClear);
    refill();
}

// At least as wide as its parts, the "Clear history" button with its whole
// text among them, and as the least width of the list.
QSize QFormulaHistoryView::minimumSizeHint() const
{
    return QFrame::minimumSizeHint().expandedTo(
        QSize(answerWidth * fontMetrics().averageCharWidth(), 0));
}

int QFormulaHistoryView::entryCount() const
{
    return listLayout->count() - 1;
}

QWidget *QFormulaHistoryView::entryWidget(int index) const
{
    return listLayout->itemAt(index)->widget();
}

bool QFormulaHistoryView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scrollArea->viewport()) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            buildTimer.start();
        return QFrame::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        emit entryChosen(watched->property(entryProperty).toInt());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

// Clearing cannot be undone, so the user confirms it first.
void QFormulaHistoryView::askToClear()
{
    auto *question = new QMessageBox(QMessageBox::Question, tr("Clear history"),
                                     tr("Remove every entry of the history? This cannot be "
                                        "undone."),
                                     QMessageBox::Yes | QMessageBox::Cancel, this);
    question->setObjectName(QStringLiteral("clearQuestion"));
    question->setDefaultButton(QMessageBox::Cancel);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question->button(QMessageBox::Yes), &QAbstractButton::clicked, history,
            &QFormulaHistory::clear);
    question->open();
}

void QFormulaHistoryView::refill()
{
    while (entryCount() > 0)
        delete entryWidget(0);
    for (int i = 0; i < history->count(); ++i)
        listLayout->insertWidget(i, createEntry(i));
    listChanged();
}

// The widgets of the entries kept stay; when the history was full, its
// oldest entry went.
void QFormulaHistoryView::appendEntry()
{
    if (entryCount() == history->count())
        delete entryWidget(0);
    for (int i = 0; i < entryCount(); ++i)
        entryWidget(i)->setProperty(entryProperty, i);
    listLayout->insertWidget(entryCount(), createEntry(entryCount()));
    listChanged();
}

// The newest entry is scrolled into view once the list has its new size.
void QFormulaHistoryView::listChanged()
{
    clearButton->setEnabled(history->count() > 0);
    markCurrent(history->current());
    followNewest = true;
    QTimer::singleShot(0, this, [this]() {
        scrollArea->verticalScrollBar()->setValue(scrollArea->verticalScrollBar()->maximum());
    });
    buildTimer.start();
}

void QFormulaHistoryView::scrolled(int value)
{
    followNewest = value == scrollArea->verticalScrollBar()->maximum();
    buildTimer.start();
}

// Entries built in view grow or shrink the list; a list scrolled to its end
// stays there, so the newest entry is not pushed out of view.
void QFormulaHistoryView::listResized(int, int maximum)
{
    if (followNewest)
        scrollArea->verticalScrollBar()->setValue(maximum);
    buildTimer.start();
}

// Only the entries in the list's visible part are built; the others keep
// the height of the last one built until they are scrolled into view.
void QFormulaHistoryView::buildEntriesInView()
{
    if (!isVisible())
        return;
    const QRect inView(-list->pos(), scrollArea->viewport()->size());
    bool built = false;
    for (int i = 0; i < entryCount(); ++i) {
        QWidget *entry = entryWidget(i);
        if (entry->layout() == nullptr && entry->geometry().intersects(inView)) {
            buildEntry(entry);
            built = true;
        }
    }
    if (built)
        resizePlaceholders();
}

void QFormulaHistoryView::resizePlaceholders()
{
    for (int i = entryCount() - 1; i >= 0; --i) {
        QWidget *entry = entryWidget(i);
        if (entry->layout() != nullptr) {
            entryHeight = entry->sizeHint().height();
            break;
        }
    }
    for (int i = 0; i < entryCount(); ++i) {
        if (entryWidget(i)->layout() == nullptr)
            entryWidget(i)->setFixedHeight(entryHeight);
    }
    // The entries are placed at once, so that what is in view is known
    // before the list is drawn or scrolled again.
    listLayout->activate();
}

void QFormulaHistoryView::markCurrent(int index)
{
    for (int i = 0; i < entryCount(); ++i) {
        QWidget *entry = entryWidget(i);
        const bool current = i == index;
        if (entry->property(currentProperty).toBool() == current)
            continue;
        entry->setProperty(currentProperty, current);
        entry->style()->unpolish(entry);
        entry->style()->polish(entry);
        if (current)
            scrollArea->ensureWidgetVisible(entry);
    }
}

QWidget *QFormulaHistoryView::createEntry(int index)
{
    auto *entry = new QFrame(list);
    entry->setObjectName(QStringLiteral("historyEntry"));
    entry->setProperty(entryProperty, index);
    entry->setCursor(Qt::PointingHandCursor);
    entry->installEventFilter(this);
    entry->setFixedHeight(entryHeight);
    return entry;
}

void QFormulaHistoryView::buildEntry(QWidget *entry)
{
    const int index = entry->property(entryProperty).toInt();
    entry->setMinimumHeight(0);
    entry->setMaximumHeight(QWIDGETSIZE_MAX);
    auto *layout = new QVBoxLayout(entry);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(0);
    QFormula *formula = readOnlyFormula(index);
    auto *elided = new QElidedFormula(formula, entry);
    layout->addWidget(elided);
    const QString answer = history->entry(index).answer.simplified();
    auto *answerLabel = new QElidedLabel(QStringLiteral("= ") + answer, entry);
    answerLabel->setObjectName(QStringLiteral("answer"));
    answerLabel->setToolTip(answer);
    layout->addWidget(answerLabel);
    // Shown at once, not later as a layout shows the widgets added to a
    // shown one, so that the entry's size hint counts them.
    formula->show();
    elided->show();
    answerLabel->show();
}

// The formula as the editor draws it, taking neither clicks nor the focus.
QFormula *QFormulaHistoryView::readOnlyFormula(int index) const
{
    QFormula *formula = templates->createFormula(history->entry(index).formula);
    formula->setFont(formulaFont(formulaPointSize));
    // Never squeezed: a wide formula is cut at the list's edge instead.
    formula->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    formula->setAttribute(Qt::WA_TransparentForMouseEvents);
    formula->setFocusPolicy(Qt::NoFocus);
    for (QFormulaField *field : formula->findChildren<QFormulaField *>())
        field->setFocusPolicy(Qt::NoFocus);
    return formula;
}
