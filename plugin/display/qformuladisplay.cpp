#include "qformuladisplay.h"

#include "formulafont.h"
#include "qanswerline.h"
#include "qengineprocess.h"
#include "qformula.h"
#include "qformulaexport.h"
#include "qformulafield.h"
#include "qformulahistory.h"
#include "qformulaprovider.h"
#include "qformulaview.h"
#include "qlatexreader.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
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
// An answer is kept whole up to this many bytes of the engine's output; a
// longer one is cut there and ends with a mark.
const int outputKept = 16 * 1024 * 1024;
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
// The margins around the display's parts and the levels of exponents the
// formula keeps room for, as a rule and on a small screen.
const int roomyMargin = 15;
const int compactMargin = 8;
const int roomyReservedLevels = 5;
const int compactReservedLevels = 2;
// The catalogue's template of a number in another base: its numeral, then
// its base.
const QString baseNotation = QStringLiteral("Указание системы счисления");

// An answer that is one number, as the engine writes numbers, infinities
// and not-a-number included.
bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(
        "^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$|^-?(inf|Infinity)$|^(nan|NaN)$"));
    return number.match(text).hasMatch();
}

// The value an answer stands for in a later formula: its last line, since
// the engine writes one value a line; a number in brackets, so that 2Ans
// after -3 is 2(-3), any other text as a string literal.
QString answerValue(const QString &answer)
{
    const QStringList lines = answer.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString last = lines.isEmpty() ? QString() : lines.last().trimmed();
    if (isNumber(last))
        return QLatin1Char('(') + last + QLatin1Char(')');
    QString escaped = last;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// The end of the string literal that opens at pos, in double or single
// quotes with backslash escapes, as the engine reads them.
int literalEnd(const QString &line, int pos)
{
    const QChar quote = line.at(pos);
    for (int i = pos + 1; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('\\'))
            ++i;
        else if (line.at(i) == quote)
            return i + 1;
    }
    return line.size();
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
    connect(solveButton, &QPushButton::released, this, &QFormulaDisplay::focusFormula);
    connect(clearButton, &QPushButton::pressed, this, &QFormulaDisplay::clear);
    connect(clearButton, &QPushButton::released, this, &QFormulaDisplay::focusFormula);
    connect(engineProcess, &QProcess::readyReadStandardOutput, this, &QFormulaDisplay::readOutput);
    connect(engineProcess, &QProcess::readyReadStandardError, this, &QFormulaDisplay::readErrors);
    connect(engineProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &QFormulaDisplay::engineFinished);
    connect(engineProcess, &QProcess::errorOccurred, this, &QFormulaDisplay::engineFailed);
    connect(graceTimer, &QTimer::timeout, engineProcess, &QProcess::kill);
    connect(busyTimer, &QTimer::timeout, this, &QFormulaDisplay::showBusy);
    connect(qApp, &QApplication::focusChanged, this, &QFormulaDisplay::followFocus);
    addShortcut(QKeySequence(Qt::Key_Escape), &QFormulaDisplay::stop);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), &QFormulaDisplay::recallOlder);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), &QFormulaDisplay::recallNewer);
}

// The process object would report the engine it kills as finished to a
// display whose answer line is already gone.
QFormulaDisplay::~QFormulaDisplay()
{
    disconnect(qApp, nullptr, this, nullptr);
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
    markStaleAnswer();
}

void QFormulaDisplay::setHistory(QFormulaHistory *newHistory, const QFormulaProvider *newTemplates)
{
    history = newHistory;
    templates = newTemplates;
}

QString QFormulaDisplay::previousAnswer() const
{
    if (!lastAnswer.isEmpty() || !history)
        return lastAnswer;
    for (int i = history->count() - 1; i >= 0; --i)
        if (!history->entry(i).failed && !history->entry(i).answer.trimmed().isEmpty())
            return history->entry(i).answer;
    return QString();
}

void QFormulaDisplay::calculate()
{
    // A formula with a field left empty has no value: the cursor goes there.
    if (QFormulaField *empty = formula->firstEmptyField()) {
        answerLine->showStatus(tr("Fill in the empty field"));
        empty->focusAt(0);
        return;
    }
    bool namesAns = false;
    const QString line = expression(&namesAns);
    qDebug("%s: starting tovel with args: %s", "brisma", line.toLocal8Bit().constData());
    // A second "=" while the engine still runs starts nothing.
    if (engineProcess->state() != QProcess::NotRunning)
        return;
    if (namesAns && previousAnswer().isEmpty()) {
        answerLine->showStatus(tr("There is no previous answer"));
        return;
    }
    engineOutput.clear();
    engineErrors.clear();
    outputCut = false;
    calculated = QFormulaRecord::ofFormula(formula);
    answered = true;
    keeping = history && !formula->toLine().isEmpty();
    engineProcess->start(QStringLiteral("tovel"), {line}, QIODevice::ReadWrite);
    answerLine->markStale();
    busyTimer->start(busyDelay);
}

// The answer is shown as it arrives, whole up to a size no answer a person
// reads comes near; an answer cut there ends with a mark, so that it is
// never taken for the whole one.
void QFormulaDisplay::readOutput()
{
    const QByteArray bytes = engineProcess->readAllStandardOutput();
    if (stopping)
        return;
    busyTimer->stop();
    const int room = outputKept - engineOutput.size();
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

// The hexadecimal digit keys type their digit into the numeral of a number
// in another base; anywhere else they start such a number in base 16.
void QFormulaDisplay::insertFormula(QFormula *formulaTemplate)
{
    if (!isHexDigitKey(formulaTemplate)) {
        formula->insertFormula(formulaTemplate);
        markStaleAnswer();
        return;
    }
    QFormulaField *numeral = focusedNumeral();
    if (!numeral && templates) {
        if (const QFormula *based = templates->catalogue().templateNamed(baseNotation)) {
            formula->insertFormula(const_cast<QFormula *>(based));
            numeral = numeralInBaseSixteen();
        }
    }
    if (numeral) {
        numeral->setFocus(Qt::OtherFocusReason);
        numeral->insertText(formulaTemplate->appendText, false);
    } else {
        formula->insertFormula(formulaTemplate);
    }
    markStaleAnswer();
}

void QFormulaDisplay::clear()
{
    stopEngine();
    formula->clear();
    markStaleAnswer();
}

void QFormulaDisplay::stop()
{
    stopEngine();
    focusFormula();
}

// A picture of a panel whose engine never answered shows it saying so.
void QFormulaDisplay::abandon()
{
    if (engineProcess->state() == QProcess::NotRunning)
        return;
    stopEngine();
    answerLine->showStatus(tr("The engine did not answer"));
}

// The last answer or error, never a status such as "Calculating…".
void QFormulaDisplay::copyAnswer()
{
    QApplication::clipboard()->setText(shownAnswer.trimmed());
}

void QFormulaDisplay::copyFormula()
{
    QApplication::clipboard()->setMimeData(
        QFormulaExport::mimeData(QFormulaRecord::ofFormula(formula).fields.value(0)));
}

// The first step into the history keeps what the editor held, the draft,
// which the last step forward brings back.
void QFormulaDisplay::recall(int index)
{
    if (!history || index < 0 || index >= history->count())
        return;
    if (history->current() < 0)
        draft = QFormulaRecord::ofFormula(formula);
    if (bringBack(history->entry(index).formula))
        history->setCurrent(index);
}

// The record goes into the formula being edited as one step that Undo takes
// back, so a recall never loses what was there.
bool QFormulaDisplay::bringBack(const QFormulaRecord &record)
{
    if (!formula->replaceContent(record))
        return false;
    markStaleAnswer();
    formula->setFocus(Qt::OtherFocusReason);
    return true;
}

void QFormulaDisplay::recallOlder()
{
    if (!history || history->count() == 0)
        return;
    const int current = history->current();
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
    bringBack(draft);
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

// The field of the formula with the focus: Copy of a selection puts the
// formula's forms on the clipboard, Paste of LaTeX types its plain text,
// and every other key may change the formula under its answer.
bool QFormulaDisplay::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QFormulaField *>(watched);
    if (!field || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Copy) && field->cursorPosition() != field->anchorPosition()) {
        copySelection(field);
        return true;
    }
    if (key->matches(QKeySequence::Paste) && pasteLatex(field))
        return true;
    QTimer::singleShot(0, this, &QFormulaDisplay::markStaleAnswer);
    return QFrame::eventFilter(watched, event);
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
    setCompact(false);
}

void QFormulaDisplay::setCompact(bool compact)
{
    const int margin = compact ? compactMargin : roomyMargin;
    mainGrid->setContentsMargins(margin, margin, margin, margin);
    titleLabel->setVisible(!compact);
    formulaView->setReservedLevels(compact ? compactReservedLevels : roomyReservedLevels);
    updateGeometry();
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
    const bool failed = !normalExit || exitCode != 0 || engineOutput.isEmpty();
    if (normalExit && exitCode != 0 && !error.trimmed().isEmpty())
        showAnswer(error);
    else if (failed)
        showAnswer(tr("The engine stopped without an answer"));
    else if (!shownAnswer.trimmed().isEmpty())
        lastAnswer = shownAnswer;
    const QString spoken = shownAnswer.trimmed().replace(QLatin1Char('\n'), QLatin1String(", "));
    answerLine->announce(failed ? spoken : tr("equals %1").arg(spoken));
    keepCalculation(failed);
}

void QFormulaDisplay::engineFailed(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return;
    busyTimer->stop();
    showAnswer(tr("The engine tovel could not be started"));
    answerLine->announce(shownAnswer);
}

void QFormulaDisplay::showAnswer(const QString &text)
{
    answerLine->showAnswer(text);
    shownAnswer = text;
    markStaleAnswer();
}

void QFormulaDisplay::showBusy()
{
    if (engineProcess->state() != QProcess::NotRunning && !stopping && engineOutput.isEmpty()) {
        answerLine->showStatus(tr("Calculating…"));
    }
}

// The answer line is greyed while the formula differs from the one it
// answers.
void QFormulaDisplay::markStaleAnswer()
{
    if (answered)
        answerLine->setStale(QFormulaRecord::ofFormula(formula) != calculated);
}

void QFormulaDisplay::focusFormula()
{
    formula->setFocus(Qt::OtherFocusReason);
}

// Keys reach the display through the field of the formula that has the
// focus; the display watches that field.
void QFormulaDisplay::followFocus(QWidget *old, QWidget *now)
{
    if (qobject_cast<QFormulaField *>(old))
        old->removeEventFilter(this);
    if (qobject_cast<QFormulaField *>(now) && formula->isAncestorOf(now))
        now->installEventFilter(this);
}

void QFormulaDisplay::addShortcut(const QKeySequence &keys, void (QFormulaDisplay::*slot)())
{
    auto *shortcut = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, slot);
}

// The formula of a calculation that ended goes into the history with the
// answer it got, error texts included: a formula the engine rejected is one
// the user may want to mend.
void QFormulaDisplay::keepCalculation(bool failed)
{
    if (keeping)
        history->add(calculated, shownAnswer, failed);
    keeping = false;
}

// The engine's standard error without the warnings it echoes.
QString QFormulaDisplay::calculationError() const
{
    QStringList lines = engineText(engineErrors).split(QLatin1Char('\n'));
    lines.erase(std::remove_if(lines.begin(), lines.end(), isEngineDiagnostic), lines.end());
    return lines.join(QLatin1Char('\n'));
}

// The formula as one line, with the word "Ans", in any letter case and
// outside string literals, standing for the previous answer's value.
QString QFormulaDisplay::expression(bool *namesAns) const
{
    const QString line = formula->toLine();
    const QString value = answerValue(previousAnswer());
    QString result;
    *namesAns = false;
    for (int at = 0; at < line.size();) {
        const QChar c = line.at(at);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = literalEnd(line, at);
            result += line.midRef(at, end - at);
            at = end;
        } else if (line.midRef(at, 3).compare(QLatin1String("ans"), Qt::CaseInsensitive) == 0 &&
                   isWholeAns(line, at)) {
            result += value;
            *namesAns = true;
            at += 3;
        } else {
            result += c;
            ++at;
        }
    }
    return result;
}

// The field that typing and screen keys reach: the end of the chain of
// focus proxies from the edited formula down.
QFormulaField *QFormulaDisplay::focusedField() const
{
    QWidget *target = formula;
    while (target->focusProxy())
        target = target->focusProxy();
    return qobject_cast<QFormulaField *>(target);
}

// The numeral of a number in another base, when typing reaches it.
QFormulaField *QFormulaDisplay::focusedNumeral() const
{
    QFormulaField *field = focusedField();
    auto *number = field ? qobject_cast<QFormula *>(field->parentWidget()) : nullptr;
    return number && number->objectName() == baseNotation && number->field(0) == field ? field
                                                                                       : nullptr;
}

// The number in another base just inserted, whose base has the focus, made
// one in base 16; its numeral, where its digits go.
QFormulaField *QFormulaDisplay::numeralInBaseSixteen() const
{
    QFormulaField *field = focusedField();
    auto *number = field ? qobject_cast<QFormula *>(field->parentWidget()) : nullptr;
    if (!number || number->objectName() != baseNotation || number->fieldCount() < 2)
        return nullptr;
    number->field(1)->setText(QStringLiteral("16"));
    return number->field(0);
}

void QFormulaDisplay::copySelection(const QFormulaField *field) const
{
    const int from = qMin(field->cursorPosition(), field->anchorPosition());
    const int to = qMax(field->cursorPosition(), field->anchorPosition());
    QVector<QFormulaRecord> items;
    for (int i = from; i < to; ++i) {
        const QWidget *item = field->itemWidget(i);
        if (const auto *nested = qobject_cast<const QFormula *>(item))
            items.append(QFormulaRecord::ofFormula(nested));
        else if (const auto *glyph = qobject_cast<const QLabel *>(item))
            items.append(QFormulaRecord::glyph(glyph->text()));
    }
    QApplication::clipboard()->setMimeData(QFormulaExport::mimeData(items));
}

// LaTeX on the clipboard, as such or as its text, is typed as the plain
// text it stands for; other text is left to the field's own paste.
bool QFormulaDisplay::pasteLatex(QFormulaField *field)
{
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return false;
    QString latex;
    if (QLatexReader::isLatex(mime->text()))
        latex = mime->text();
    else if (!mime->hasText() && mime->hasFormat(QFormulaExport::latexType))
        latex = QString::fromUtf8(mime->data(QFormulaExport::latexType));
    if (latex.isEmpty())
        return false;
    field->pasteText(QLatexReader::plainText(latex));
    QTimer::singleShot(0, this, &QFormulaDisplay::markStaleAnswer);
    return true;
}

// The catalogue's hexadecimal digits are its only keys that type a capital
// letter.
bool QFormulaDisplay::isHexDigitKey(const QFormula *formulaTemplate)
{
    const QString &text = formulaTemplate->appendText;
    return formulaTemplate->fieldCount() == 0 && text.size() == 1 &&
           text.at(0) >= QLatin1Char('A') && text.at(0) <= QLatin1Char('F');
}
