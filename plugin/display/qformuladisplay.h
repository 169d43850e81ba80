#ifndef QFORMULADISPLAY_H
#define QFORMULADISPLAY_H

#include "qformularecord.h"

#include <QFrame>
#include <QProcess>

class QAnswerLine;
class QComboBox;
class QFormula;
class QFormulaField;
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
// its answer, and Ctrl+Up and Ctrl+Down bring its formulas back. The answer
// line is greyed while the formula differs from the one it answers.
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
    // Narrower margins, no title and room for fewer levels of exponents
    // above the formula, for a small screen.
    void setCompact(bool compact);

private slots:
    void calculate();
    void readOutput();
    void readErrors();

public slots:
    void insertFormula(QFormula *formula);
    // Clears the formula and stops a running calculation, as "CE" does.
    void clear();
    // Stops a running calculation and keeps the formula, as Escape does.
    void stop();
    // Stops a calculation whose engine does not answer, and says so.
    void abandon();
    // Puts the whole last answer or error on the clipboard.
    void copyAnswer();
    // Puts the whole formula on the clipboard as plain text, LaTeX and
    // MathML.
    void copyFormula();
    // Brings the history's entry back into the editor, as its formula.
    void recall(int index);
    void recallOlder();
    void recallNewer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool bringBack(const QFormulaRecord &record);
    void createWidgets();
    void nameControls();
    void layOutInput();
    void layOutGrid();
    void stopEngine();
    void engineFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void engineFailed(QProcess::ProcessError error);
    void showAnswer(const QString &text);
    void showBusy();
    void markStaleAnswer();
    void focusFormula();
    void followFocus(QWidget *old, QWidget *now);
    void addShortcut(const QKeySequence &keys, void (QFormulaDisplay::*slot)());
    void keepCalculation(bool failed);
    QString calculationError() const;
    // The answer "Ans" stands for: the last of this display, or else the
    // last of the history.
    QString previousAnswer() const;
    QString expression(bool *namesAns) const;
    QFormulaField *focusedField() const;
    QFormulaField *focusedNumeral() const;
    QFormulaField *numeralInBaseSixteen() const;
    void copySelection(const QFormulaField *field) const;
    bool pasteLatex(QFormulaField *field);
    static bool isHexDigitKey(const QFormula *formulaTemplate);

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
    // The text of the last answer, which "Ans" stands for, and of the last
    // answer or error shown, which is copied.
    QString lastAnswer;
    QString shownAnswer;
    QFormulaHistory *history = nullptr;
    const QFormulaProvider *templates = nullptr;
    // The formula of the last calculation, kept when it ends; whether there
    // was one.
    QFormulaRecord calculated;
    bool answered = false;
    bool keeping = false;
    // What the editor held before the history was first stepped into.
    QFormulaRecord draft;
};

#endif
