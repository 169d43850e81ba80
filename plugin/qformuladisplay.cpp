#include "qformuladisplay.h"

#include "qformula.h"

#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
// The answer line shows at most this many bytes of the engine's output.
const qint64 outputPiece = 1000;
// How long a stopped engine may take to go.
const int stopTimeout = 3000;

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
}

void QFormulaDisplay::setInputFormula(QFormula *newFormula)
{
    inputLayout->removeWidget(formula);
    newFormula->setParent(inputPlace);
    inputLayout->insertWidget(formulaIndex, newFormula);
    QFont font;
    font.setFamilies({QStringLiteral("Consolas"), QStringLiteral("Courier New")});
    font.setPointSize(16);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    newFormula->setFont(font);
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
    engineProcess->start(QStringLiteral("tovel"), {line}, QIODevice::ReadWrite);
}

void QFormulaDisplay::readOutput()
{
    engineProcess->setReadChannel(QProcess::StandardOutput);
    showEngineOutput(engineProcess->read(outputPiece));
}

void QFormulaDisplay::readErrors()
{
    showEngineOutput(engineProcess->readAllStandardError());
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
    formula = new QFormula(this);
    solveButton = new QPushButton(tr("="), this);
    solveButton->setMinimumHeight(32);
    solveButton->setFocusProxy(this);
    clearButton = new QPushButton(tr("CE"), this);
    clearButton->setFocusProxy(this);
    answerLine = new QLineEdit(this);
    answerLine->setReadOnly(true);
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
    engineProcess = new QProcess(this);
}

void QFormulaDisplay::layOutInput()
{
    inputLayout = new QVBoxLayout(inputPlace);
    inputLayout->insertWidget(formulaIndex, formula);
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
// for instance, so that the next "=" can start a new one. What the stopped
// engine had not yet shown is dropped: the answer line keeps its text.
void QFormulaDisplay::stopEngine()
{
    if (engineProcess->state() == QProcess::NotRunning)
        return;
    const QSignalBlocker quiet(engineProcess);
    engineProcess->kill();
    engineProcess->waitForFinished(stopTimeout);
}

// The engine may hand its text over in several notices, the line end apart
// from the line for instance: the answer line shows the pieces of one
// calculation together, as long as they fit in one piece of output, and
// starts again with the piece that does not fit.
void QFormulaDisplay::showEngineOutput(const QByteArray &bytes)
{
    if (engineOutput.size() + bytes.size() > outputPiece)
        engineOutput.clear();
    engineOutput += bytes;
    answerLine->setText(engineText(engineOutput));
}

// The formula as one line, with every "Ans", in any letter case, replaced by
// the last answer.
QString QFormulaDisplay::expression() const
{
    QString line = formula->toLine();
    line.replace(QLatin1String("ans"), answerLine->text().simplified(), Qt::CaseInsensitive);
    return line;
}
