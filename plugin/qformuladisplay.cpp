#include "qformuladisplay.h"

#include "qengineprocess.h"
#include "qformula.h"
#include "qformulaview.h"

#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
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
    connect(clearButton, &QPushButton::pressed, this, &QFormulaDisplay::stopEngine);
    connect(engineProcess, &QProcess::readyReadStandardOutput, this, &QFormulaDisplay::readOutput);
    connect(engineProcess, &QProcess::readyReadStandardError, this, &QFormulaDisplay::readErrors);
    connect(engineProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &QFormulaDisplay::engineFinished);
    connect(engineProcess, &QProcess::errorOccurred, this, &QFormulaDisplay::engineFailed);
    connect(graceTimer, &QTimer::timeout, engineProcess, &QProcess::kill);
    auto *clearKey = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(clearKey, &QShortcut::activated, clearButton,
            [this]() { clearButton->animateClick(); });
}

void QFormulaDisplay::setInputFormula(QFormula *newFormula)
{
    QFont font;
    font.setFamilies({QStringLiteral("Consolas"), QStringLiteral("Courier New")});
    font.setPointSize(16);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    newFormula->setFont(font);
    formulaView->setFormula(newFormula);
    QFormula *oldFormula = formula;
    formula = newFormula;
    setFocusProxy(formula);
    delete oldFormula;
    connect(clearButton, &QPushButton::pressed, formula, &QFormula::clear);
    connect(formula, &QFormula::returnPressed, this, &QFormulaDisplay::calculate);
}

void QFormulaDisplay::calculate()
{
    const QString line = expression();
    qDebug("%s: starting tovel with args: %s", "brisma", line.toLocal8Bit().constData());
    // A second "=" while the engine still runs starts nothing.
    if (engineProcess->state() != QProcess::NotRunning)
        return;
    engineOutput.clear();
    engineErrors.clear();
    outputCut = false;
    engineProcess->start(QStringLiteral("tovel"), {line}, QIODevice::ReadWrite);
}

// The answer is shown as it arrives, at most its first 1000 bytes; an answer
// cut there ends with a mark, so that it is never taken for the whole one.
void QFormulaDisplay::readOutput()
{
    const QByteArray bytes = engineProcess->readAllStandardOutput();
    if (stopping)
        return;
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
    solveButton->setFocusProxy(this);
    solveButton->setToolTip(tr("Calculate (%1)").arg(keyName(Qt::Key_Return)));
    clearButton = new QPushButton(tr("CE"), this);
    clearButton->setFocusProxy(this);
    clearButton->setToolTip(
        tr("Clear the formula, stop the calculation (%1)").arg(keyName(Qt::Key_Escape)));
    answerLine = new QLineEdit(this);
    answerLine->setReadOnly(true);
    answerLine->setFocusPolicy(Qt::NoFocus);
    answerLine->setAlignment(Qt::AlignRight);
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
    engineProcess = new QEngineProcess(this);
    graceTimer = new QTimer(this);
    graceTimer->setSingleShot(true);
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
// dropped: the answer line keeps its text.
void QFormulaDisplay::stopEngine()
{
    if (engineProcess->state() == QProcess::NotRunning || stopping)
        return;
    stopping = true;
    engineProcess->terminate();
    graceTimer->start(stopGrace);
}

// An answer was shown as it came. An engine that failed shows the error of
// the calculation; one that shows none, or crashed, or ended without any
// output, has stopped without an answer, which replaces the previous one.
void QFormulaDisplay::engineFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    graceTimer->stop();
    if (stopping) {
        stopping = false;
        return;
    }
    const bool answered = exitStatus == QProcess::NormalExit && exitCode == 0;
    if (answered && !engineOutput.isEmpty())
        return;
    const QString error = calculationError();
    if (exitStatus == QProcess::NormalExit && exitCode != 0 && !error.trimmed().isEmpty())
        showAnswer(error);
    else
        showAnswer(tr("The engine stopped without an answer"));
}

void QFormulaDisplay::engineFailed(QProcess::ProcessError error)
{
    if (error == QProcess::FailedToStart)
        showAnswer(tr("The engine tovel could not be started"));
}

// A text longer than the line shows from its start, and whole in the tool tip.
void QFormulaDisplay::showAnswer(const QString &text)
{
    answerLine->setText(text);
    answerLine->setCursorPosition(0);
    answerLine->setToolTip(text.trimmed());
}

// The engine's standard error without the warnings it echoes.
QString QFormulaDisplay::calculationError() const
{
    QStringList lines = engineText(engineErrors).split(QLatin1Char('\n'));
    lines.erase(std::remove_if(lines.begin(), lines.end(), isEngineDiagnostic), lines.end());
    return lines.join(QLatin1Char('\n'));
}

// The formula as one line, with every "Ans", in any letter case, replaced by
// the last answer.
QString QFormulaDisplay::expression() const
{
    QString line = formula->toLine();
    line.replace(QLatin1String("ans"), answerLine->text().simplified(), Qt::CaseInsensitive);
    return line;
}
