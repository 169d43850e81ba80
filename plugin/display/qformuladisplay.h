#ifndef QFORMULADISPLAY_H
#define QFORMULADISPLAY_H

#include "qformularecord.h"

#include <QFrame>
#include <QProcess>

class QAnswerLine;
class QComboBox;
class QFormula;
class QFormulaHistory;
class QFormulaProvider;
class QFormulaView;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class QVBoxLayout;

// The calculator display: the formula being edited above the answer line,
// the Base, Prec and Angle controls, and the buttons "CE" and "=". "=" (or
// Return anywhere in the display) writes the formula as one line, puts the
// last answer in place of the word "Ans" and runs the engine tovel on it as a
// child process; whatever the engine prints, answer or error, becomes the
// answer line's text. Each calculation that ends goes into the history with
// its answer, and Ctrl+Up and Ctrl+Down bring its formulas back.
class QFormulaDisplay : public QFrame
{
    Q_OBJECT

public:
    explicit QFormulaDisplay(QWidget *parent = nullptr);
    // A running engine is stopped before the display goes.
    ~QFormulaDisplay() override;

    // Makes the formula the edited one; the display deletes the one it held.
    void setInputFormula(QFormula *formula);
    // Where calculations are kept, and the templates that rebuild them.
    void setHistory(QFormulaHistory *history, const QFormulaProvider *templates);

private slots:
    void calculate();
    void readOutput();
    void readErrors();

public slots:
    void insertFormula(QFormula *formula);
    // Clears the formula and stops a running calculation, as "CE" does.
    void clear();
    // Puts the whole text of the answer line on the clipboard.
    void copyAnswer();
    // Brings the history's entry back into the editor, as its formula.
    void recall(int index);
    void recallOlder();
    void recallNewer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createWidgets();
    void nameControls();
    void layOutInput();
    void layOutGrid();
    void stopEngine();
    void engineFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void engineFailed(QProcess::ProcessError error);
    void showAnswer(const QString &text);
    void showBusy();
    void addShortcut(const QKeySequence &keys, void (QFormulaDisplay::*slot)());
    void keepCalculation();
    QString calculationError() const;
    QString expression() const;

    int formulaIndex = 0;
    QProcess *engineProcess;
    QLabel *titleLabel;
    QFrame *inputPlace;
    QFormulaView *formulaView;
    QFormula *formula;
    QAnswerLine *answerLine;
    QSpinBox *baseSpin;
    QSpinBox *precisionSpin;
    QComboBox *angleCombo;
    QLabel *baseLabel;
    QLabel *precisionLabel;
    QLabel *angleLabel;
    QPushButton *solveButton;
    QPushButton *clearButton;
    QVBoxLayout *inputLayout;
    QGridLayout *mainGrid;
    // What the running calculation's engine has written on standard output
    // and standard error so far, and whether its output was cut.
    QByteArray engineOutput;
    QByteArray engineErrors;
    bool outputCut = false;
    // "CE" asked the running engine to stop; it ends by itself or is killed.
    bool stopping = false;
    QTimer *graceTimer;
    // Shows that the engine is still at work once it has taken a while.
    QTimer *busyTimer;
    // The text of the last answer or error, which "Ans" stands for.
    QString lastAnswer;
    QFormulaHistory *history = nullptr;
    const QFormulaProvider *templates = nullptr;
    // The formula of the running calculation, kept when it ends.
    QFormulaRecord calculated;
    bool keeping = false;
    // What the editor held before the history was first stepped into.
    QFormulaRecord draft;
};

#endif
