#ifndef BRISMA_H
#define BRISMA_H

#include <QFrame>

class QFormulaDisplay;
class QFormulaHistory;
class QFormulaHistoryView;
class QFormulaKeyboard;
class QFormulaProvider;
class QHBoxLayout;
class QVBoxLayout;

// The calculator panel that the plug-in hands to its host: the display above
// the screen keyboard, whose key clicks insert formulas into the display's
// input formula, and beside them the history of the formulas calculated. The
// panel owns the catalogue loader that fills the keyboard.
class brisma : public QFrame
{
    Q_OBJECT

public:
    explicit brisma(QWidget *parent = nullptr);
    ~brisma() override;

    // Names the file where the keyboard keeps its groups' visibility, then
    // loads the formula catalogue, gives the display its input formula and
    // reads the history kept beside the settings file.
    void setSettingsFile(const QString &settingsFile);

private:
    QFormulaProvider *provider = nullptr;
    QFormulaDisplay *display;
    QFormulaKeyboard *keyboard;
    QVBoxLayout *panelLayout;
    QFormulaHistory *history;
    QFormulaHistoryView *historyView;
    QHBoxLayout *sideBySide;
};

#endif
