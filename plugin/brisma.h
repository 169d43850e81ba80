#ifndef BRISMA_H
#define BRISMA_H

#include <QFrame>

class QFormulaDisplay;
class QFormulaKeyboard;
class QFormulaProvider;
class QVBoxLayout;

// The calculator panel that the plug-in hands to its host: the display above
// the screen keyboard, whose key clicks insert formulas into the display's
// input formula. The panel owns the catalogue loader that fills the keyboard.
class brisma : public QFrame
{
    Q_OBJECT

public:
    explicit brisma(QWidget *parent = nullptr);
    ~brisma() override;

    // Names the file where the keyboard keeps its groups' visibility, then
    // loads the formula catalogue and gives the display its input formula.
    void setSettingsFile(const QString &settingsFile);

private:
    QFormulaProvider *provider = nullptr;
    QFormulaDisplay *display;
    QFormulaKeyboard *keyboard;
    QVBoxLayout *panelLayout;
};

#endif
