#ifndef BRISMA_H
#define BRISMA_H

#include <QFrame>

class QFormulaDisplay;
class QFormulaHistory;
class QFormulaHistoryView;
class QFormulaKeyboard;
class QFormulaProvider;
class QGridLayout;
class QKeyboardArea;
class QToolButton;

// The calculator panel that the plug-in hands to its host: the display above
// the screen keyboard, whose key clicks insert formulas into the display's
// input formula, and beside them the history of the formulas calculated,
// which the user can fold away. Where the panel is narrower or lower than
// its keys, they get smaller, and scroll only where they would get too small
// to read. On a screen lower than the panel's window would be, the panel
// takes a compact look: narrower margins, the display without its title and
// with less room above the formula, the history beside the display only and
// the keys below both. The panel owns the catalogue loader that fills the
// keyboard.
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

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showHistory(bool shown);
    void chooseLook();
    void setCompact(bool compact);

    QFormulaProvider *provider = nullptr;
    QFormulaDisplay *display;
    QFormulaKeyboard *keyboard;
    QKeyboardArea *keyboardArea;
    QFormulaHistory *history;
    QFormulaHistoryView *historyView;
    QToolButton *historyToggle;
    QGridLayout *grid;
    QString settingsFile;
};

#endif
