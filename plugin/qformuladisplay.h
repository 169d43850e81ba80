#ifndef QFORMULADISPLAY_H
#define QFORMULADISPLAY_H

#include <QFrame>
#include <QProcess>

class QComboBox;
class QFormula;
class QFormulaView;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class QVBoxLayout;

// The calculator display: the formula being edited above the answer line,
// the Base, Prec and Angle controls, and the buttons "CE" and "=". "=" (or
// Return in the formula) writes the formula as one line, puts the answer
// line's text in place of "Ans" and runs the engine tovel on it as a child
// process; whatever the engine prints, answer or error, becomes the answer
// line's text.
class QFormulaDisplay : public QFrame
{
    Q_OBJECT

public:
    explicit QFormulaDisplay(QWidget *parent = nullptr);

    // Makes the formula the edited one; the display deletes the one it held.
    void setInputFormula(QFormula *formula);

private slots:
    void calculate();
    void readOutput();
    void readErrors();

public slots:
    void insertFormula(QFormula *formula);

private:
    void createWidgets();
    void layOutInput();
    void layOutGrid();
    void stopEngine();
    void engineFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void engineFailed(QProcess::ProcessError error);
    void showAnswer(const QString &text);
    QString calculationError() const;
    QString expression() const;

    int formulaIndex = 0;
    QProcess *engineProcess;
    QLabel *titleLabel;
    QFrame *inputPlace;
    QFormulaView *formulaView;
    QFormula *formula;
    QLineEdit *answerLine;
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
};

#endif
