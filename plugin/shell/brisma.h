#ifndef BRISMA_H
#define BRISMA_H

#include <QFrame>

class QFormulaDisplay;
class QFormulaHistory;
class QFormulaHistoryView;
class QFormulaKeyboard;
class QFormulaProvider;
class QHBoxLayout;
class QKeyboardArea;
class QToolButton;
class QVBoxLayout;

// The calculator panel that the plug-in hands to its host: the display above
// the screen keyboard, whose key clicks insert formulas into the display's
// input formula, and beside them the history of the formulas calculated,
// which the user can fold away. The keyboard scrolls where the panel is
// narrower or lower than its keys, so that the panel fits a small screen.
// The panel owns the catalogue loader that fills the keyboard.
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
    void showHistory(bool shown);

    QFormulaProvider *provider = nullptr;
    QFormulaDisplay *display;
    QFormulaKeyboard *keyboard;
    QKeyboardArea *keyboardArea;
    QVBoxLayout *panelLayout;
    QFormulaHistory *history;
    QFormulaHistoryView *historyView;
    QToolButton *historyToggle;
    QHBoxLayout *sideBySide;
    QString settingsFile;
};

#endif
