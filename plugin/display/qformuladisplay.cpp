#include "qformuladisplay.h"

#include "formulafont.h"
#include "qanswerline.h"
#include "qengineprocess.h"
#include "qformula.h"
#include "qformulafield.h"
#include "qformulahistory.h"
#include "qformulaprovider.h"
#include "qformulaview.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSpacerItem>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// The answer line shows at most this many bytes of the engine's output.
const int outputPiece = 1000;
// Standard error is kept up to this many bytes: the warnings the engine
// echoes come before the error text.
const int errorsKept = 64 * 1024;
// How long an engine asked to stop may take to end before it is killed.
const int stopGrace = 500;
// Marks an answer whose end was cut.
const QChar cutMark(0x2026);
// A calculation that takes longer than this says that it runs.
const int busyDelay = 300;
// Formulas are edited at this size.
const int formulaPointSize = 16;

// An answer that is one number, as the engine writes numbers.
bool isNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$|^-?Infinity$|^NaN$"));
    return number.match(text).hasMatch();
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// "Ans" at pos is a word of its own: no letter or digit follows it, and no
// name runs into it from before. Digits alone before it are a factor, as in
// 2Ans.
bool isWholeAns(const QString &line, int pos)
{
    const int end = pos + 3;
    if (end < line.size() && isNameCharacter(line.at(end)))
        return false;
    int before = pos;
    while (before > 0 && line.at(before - 1).isDigit())
        --before;
    return before == 0 || !isNameCharacter(line.at(before - 1));
}

// The engine echoes the warnings it writes to its log on standard error,
// each line beginning with its level; they are not part of any answer.
bool isEngineDiagnostic(const QString &line)
{
    for (const char *level : {"Bug: ", "Critical: ", "Fatal: "})
        if (line.startsWith(QLatin1String(level)))
            return true;
    return false;
}

QString keyName(Qt::Key key)
{
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

// The engine writes in the locale's 8-bit encoding; its text ends at the
// first zero byte.
QString engineText(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? bytes : bytes.left(end));
}

QSpacerItem *expandingSpacer()
{
    return new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Expanding);
}
} // namespace

QFormulaDisplay::QFormulaDisplay(QWidget *parent) : QFrame(parent)
{
    createWidgets();
    layOutInput();
    layOutGrid();
    connect(solveButton, &QPushButton::pressed, this, &QFormulaDisplay::calculate);
    connect(clearButton, &QPushButton::pressed, this, &QFormulaDisplay::clear);
    connect(engineProcess, &QProcess::readyReadStandardOutput, this, &QFormulaDisplay::readOutput);
    connect(engineProcess, &QProcess::readyReadStandardError, this, &QFormulaDisplay::readErrors);
    connect(engineProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &QFormulaDisplay::engineFinished);
    connect(engineProcess, &QProcess::errorOccurred, this, &QFormulaDisplay::engineFailed);
    connect(graceTimer, &QTimer::timeout, engineProcess, &QProcess::kill);
    connect(busyTimer, &QTimer::timeout, this, &QFormulaDisplay::showBusy);
    addShortcut(QKeySequence(Qt::Key_Escape), &QFormulaDisplay::clear);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), &QFormulaDisplay::recallOlder);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), &QFormulaDisplay::recallNewer);
}

// The process object would report the engine it kills as finished to a
// display whose answer line is already gone.
QFormulaDisplay::~QFormulaDisplay()
{
    disconnect(engineProcess, nullptr, this, nullptr);
    if (engineProcess->state() == QProcess::NotRunning)
        return;
    engineProcess->terminate();
    if (!engineProcess->waitForFinished(stopGrace)) {
        engineProcess->kill();
        engineProcess->waitForFinished();
    }
}

void QFormulaDisplay::setInputFormula(QFormula *newFormula)
{
    newFormula->setFont(formulaFont(formulaPointSize));
    formulaView->setFormula(newFormula);
    QFormula *oldFormula = formula;
    formula = newFormula;
    setFocusProxy(formula);
    delete oldFormula;
    connect(formula, &QFormula::returnPressed, this, &QFormulaDisplay::calculate);
}

void QFormulaDisplay::setHistory(QFormulaHistory *newHistory, const QFormulaProvider *newTemplates)
{
    history = newHistory;
    templates = newTemplates;
}

void QFormulaDisplay::calculate()
{
    // A formula with a field left empty has no value: the cursor goes there.
    if (QFormulaField *empty = formula->firstEmptyField()) {
        answerLine->showStatus(tr("Fill in the empty field"));
        empty->focusAt(0);
        return;
    }
    const QString line = expression();
    qDebug("%s: starting tovel with args: %s", "brisma", line.toLocal8Bit().constData());
    // A second "=" while the engine still runs starts nothing.
    if (engineProcess->state() != QProcess::NotRunning)
        return;
    engineOutput.clear();
    engineErrors.clear();
    outputCut = false;
    keeping = history && !formula->toLine().isEmpty();
    if (keeping)
        calculated = QFormulaRecord::ofFormula(formula);
    engineProcess->start(QStringLiteral("tovel"), {line}, QIODevice::ReadWrite);
    answerLine->markStale();
    busyTimer->start(busyDelay);
}

// The answer is shown as it arrives, at most its first 1000 bytes; an answer
// cut there ends with a mark, so that it is never taken for the whole one.
void QFormulaDisplay::readOutput()
{
    const QByteArray bytes = engineProcess->readAllStandardOutput();
    if (stopping)
        return;
    busyTimer->stop();
    const int room = outputPiece - engineOutput.size();
    outputCut = outputCut || bytes.size() > room;
    engineOutput += bytes.left(room);
    showAnswer(engineText(engineOutput) + (outputCut ? QString(cutMark) : QString()));
}

// Standard error is read as it comes and shown once the engine has ended:
// only then does its exit code tell an error of the calculation from an
// answer with warnings.
void QFormulaDisplay::readErrors()
{
    const QByteArray bytes = engineProcess->readAllStandardError();
    engineErrors += bytes.left(errorsKept - engineErrors.size());
}

void QFormulaDisplay::insertFormula(QFormula *formulaTemplate)
{
    formula->insertFormula(formulaTemplate);
}

void QFormulaDisplay::clear()
{
    stopEngine();
    formula->clear();
}

void QFormulaDisplay::copyAnswer()
{
    QApplication::clipboard()->setText(answerLine->text().trimmed());
}

void QFormulaDisplay::recall(int index)
{
    if (!history || index < 0 || index >= history->count())
        return;
    if (QFormula *recalled = templates->createFormula(history->entry(index).formula)) {
        setInputFormula(recalled);
        history->setCurrent(index);
        formula->setFocus(Qt::OtherFocusReason);
    }
}

// The first step back keeps what the editor held, the draft, which the
// last step forward brings back.
void QFormulaDisplay::recallOlder()
{
    if (!history || history->count() == 0)
        return;
    const int current = history->current();
    if (current < 0)
        draft = QFormulaRecord::ofFormula(formula);
    recall(current < 0 ? history->count() - 1 : qMax(current - 1, 0));
}

void QFormulaDisplay::recallNewer()
{
    const int current = history ? history->current() : -1;
    if (current < 0)
        return;
    if (current + 1 < history->count()) {
        recall(current + 1);
        return;
    }
    if (QFormula *restored = templates->createFormula(draft)) {
        setInputFormula(restored);
        formula->setFocus(Qt::OtherFocusReason);
    }
    history->setCurrent(-1);
}

// Keys that the control with the focus leaves: Return calculates from any
// of them, Copy copies the answer when the formula has nothing selected.
void QFormulaDisplay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        calculate();
    else if (event->matches(QKeySequence::Copy))
        copyAnswer();
    else
        QFrame::keyPressEvent(event);
}

// Tab and Shift+Tab go round the formula, "=", "CE", Base, Prec and Angle.
bool QFormulaDisplay::focusNextPrevChild(bool next)
{
    const QList<QWidget *> stops{formula,  solveButton,   clearButton,
                                 baseSpin, precisionSpin, angleCombo};
    const QWidget *focused = QApplication::focusWidget();
    const auto holdsFocus = [focused](const QWidget *stop) {
        return stop == focused || stop->isAncestorOf(focused);
    };
    const int at = int(std::find_if(stops.cbegin(), stops.cend(), holdsFocus) - stops.cbegin());
    if (!focused || at == stops.size())
        return QFrame::focusNextPrevChild(next);
    const int step = next ? 1 : stops.size() - 1;
    stops.at((at + step) % stops.size())
        ->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void QFormulaDisplay::createWidgets()
{
    setObjectName(QStringLiteral("display"));
    setFocusPolicy(Qt::StrongFocus);
    titleLabel = new QLabel(tr("Brisma"), this);
    titleLabel->setObjectName(QStringLiteral("title"));
    inputPlace = new QFrame(this);
    inputPlace->setObjectName(QStringLiteral("inputPlace"));
    inputPlace->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    formulaView = new QFormulaView(inputPlace);
    formula = new QFormula(this);
    solveButton = new QPushButton(tr("="), this);
    solveButton->setMinimumHeight(32);
    // Reached by Tab, never taken by a click, which leaves the focus where it
    // was.
    solveButton->setFocusPolicy(Qt::TabFocus);
    solveButton->setToolTip(tr("Calculate (%1)").arg(keyName(Qt::Key_Return)));
    clearButton = new QPushButton(tr("CE"), this);
    clearButton->setFocusPolicy(Qt::TabFocus);
    clearButton->setToolTip(
        tr("Clear the formula, stop the calculation (%1)").arg(keyName(Qt::Key_Escape)));
    answerLine = new QAnswerLine(this);
    answerLine->setAccessibleName(tr("Answer"));
    baseSpin = new QSpinBox(this);
    baseSpin->setRange(2, 2147483647);
    baseSpin->setValue(10);
    precisionSpin = new QSpinBox(this);
    precisionSpin->setRange(0, 15);
    precisionSpin->setValue(8);
    angleCombo = new QComboBox(this);
    baseLabel = new QLabel(tr("Base"), this);
    precisionLabel = new QLabel(tr("Prec"), this);
    angleLabel = new QLabel(tr("Angle"), this);
    nameControls();
    engineProcess = new QEngineProcess(this);
    graceTimer = new QTimer(this);
    graceTimer->setSingleShot(true);
    busyTimer = new QTimer(this);
    busyTimer->setSingleShot(true);
}

// The labels are abbreviations and the buttons symbols; screen readers say
// what they stand for.
void QFormulaDisplay::nameControls()
{
    solveButton->setAccessibleName(tr("Equals"));
    clearButton->setAccessibleName(tr("Clear entry"));
    baseSpin->setAccessibleName(tr("Number base"));
    precisionSpin->setAccessibleName(tr("Precision"));
    angleCombo->setAccessibleName(tr("Angle unit"));
    baseLabel->setBuddy(baseSpin);
    precisionLabel->setBuddy(precisionSpin);
    angleLabel->setBuddy(angleCombo);
}

void QFormulaDisplay::layOutInput()
{
    inputLayout = new QVBoxLayout(inputPlace);
    formulaView->setFormula(formula);
    inputLayout->insertWidget(formulaIndex, formulaView);
    inputLayout->addItem(expandingSpacer());
    inputLayout->addWidget(answerLine);
}

void QFormulaDisplay::layOutGrid()
{
    mainGrid = new QGridLayout(this);
    mainGrid->setContentsMargins(15, 15, 15, 15);
    mainGrid->setHorizontalSpacing(10);
    mainGrid->addWidget(titleLabel, 0, 0, 1, 3);
    mainGrid->addWidget(inputPlace, 1, 0, 5, 1);
    mainGrid->addWidget(baseLabel, 1, 1, 1, 1);
    mainGrid->addWidget(baseSpin, 1, 2, 1, 1);
    mainGrid->addWidget(precisionLabel, 2, 1, 1, 1);
    mainGrid->addWidget(precisionSpin, 2, 2, 1, 1);
    mainGrid->addWidget(angleLabel, 3, 1, 1, 1);
    mainGrid->addWidget(angleCombo, 3, 2, 1, 1);
    mainGrid->addWidget(clearButton, 4, 1, 1, 1);
    mainGrid->addWidget(solveButton, 4, 2, 1, 1);
    mainGrid->addItem(expandingSpacer(), 5, 1, 1, 2);
}

// "CE" also stops an engine that is still running, a line that never ends
// for instance, so that the next "=" can start a new one. The engine is asked
// to end, and killed only when it has not ended after a short grace; the
// panel goes on meanwhile. What the stopped engine had not yet shown is
// dropped, and the answer line says that the calculation was stopped.
void QFormulaDisplay::stopEngine()
{
    if (engineProcess->state() == QProcess::NotRunning || stopping)
        return;
    stopping = true;
    busyTimer->stop();
    answerLine->showStatus(tr("Calculation stopped"));
    answerLine->announce(tr("Calculation stopped"));
    engineProcess->terminate();
    graceTimer->start(stopGrace);
}

// An answer was shown as it came. An engine that failed shows the error of
// the calculation; one that shows none, or crashed, or ended without any
// output, has stopped without an answer, which replaces the previous one.
void QFormulaDisplay::engineFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    graceTimer->stop();
    busyTimer->stop();
    if (stopping) {
        stopping = false;
        return;
    }
    const bool normalExit = exitStatus == QProcess::NormalExit;
    const QString error = calculationError();
    const bool answered = normalExit && exitCode == 0 && !engineOutput.isEmpty();
    if (normalExit && exitCode != 0 && !error.trimmed().isEmpty())
        showAnswer(error);
    else if (!answered)
        showAnswer(tr("The engine stopped without an answer"));
    const QString spoken = lastAnswer.trimmed().replace(QLatin1Char('\n'), QLatin1String(", "));
    answerLine->announce(answered ? tr("equals %1").arg(spoken) : spoken);
    keepCalculation();
}

void QFormulaDisplay::engineFailed(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return;
    busyTimer->stop();
    showAnswer(tr("The engine tovel could not be started"));
    answerLine->announce(lastAnswer);
}

void QFormulaDisplay::showAnswer(const QString &text)
{
    answerLine->showAnswer(text);
    lastAnswer = text;
}

void QFormulaDisplay::showBusy()
{
    if (engineProcess->state() != QProcess::NotRunning && !stopping && engineOutput.isEmpty()) {
        answerLine->showStatus(tr("Calculating…"));
        answerLine->announce(tr("Calculating…"));
    }
}

void QFormulaDisplay::addShortcut(const QKeySequence &keys, void (QFormulaDisplay::*slot)())
{
    auto *shortcut = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, slot);
}

// The formula of a calculation that ended goes into the history with the
// answer it got, error texts included: a formula the engine rejected is one
// the user may want to mend.
void QFormulaDisplay::keepCalculation()
{
    if (keeping)
        history->add(calculated, lastAnswer);
    keeping = false;
}

// The engine's standard error without the warnings it echoes.
QString QFormulaDisplay::calculationError() const
{
    QStringList lines = engineText(engineErrors).split(QLatin1Char('\n'));
    lines.erase(std::remove_if(lines.begin(), lines.end(), isEngineDiagnostic), lines.end());
    return lines.join(QLatin1Char('\n'));
}

// The formula as one line, with the word "Ans", in any letter case, standing
// for the last answer: a number as one value in brackets, so that 2Ans after
// -3 is 2(-3); any other answer, an error text for instance, as its text.
QString QFormulaDisplay::expression() const
{
    const QString line = formula->toLine();
    const QString answer = lastAnswer.simplified();
    const QString value = isNumber(answer) ? QLatin1Char('(') + answer + QLatin1Char(')') : answer;
    QString result;
    int from = 0;
    for (int at = line.indexOf(QLatin1String("ans"), 0, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(QLatin1String("ans"), at + 3, Qt::CaseInsensitive)) {
        if (!isWholeAns(line, at))
            continue;
        result += line.midRef(from, at - from) + value;
        from = at + 3;
    }
    return result + line.midRef(from);
}
