#include "brisma.h"

#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"

#include <QFile>
#include <QVBoxLayout>

brisma::brisma(QWidget *parent)
    : QFrame(parent), display(new QFormulaDisplay(this)), keyboard(new QFormulaKeyboard(this)),
      panelLayout(new QVBoxLayout(this))
{
    setFocusProxy(display);
    panelLayout->setContentsMargins(14, 14, 14, 14);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(display);
    panelLayout->addWidget(keyboard);
    connect(keyboard, &QFormulaKeyboard::keyClicked, display, &QFormulaDisplay::insertFormula);
}

// The templates, some of them inside the keyboard's key buttons, go before
// the keyboard does.
brisma::~brisma()
{
    delete provider;
}

// The catalogue is loaded once; a later call only names another file.
void brisma::setSettingsFile(const QString &settingsFile)
{
    keyboard->settingsFile = settingsFile;
    if (provider)
        return;
    QFile catalogue(QStringLiteral(":brisma/data/formulaItems.xml"));
    provider = new QFormulaProvider();
    if (provider->load(&catalogue, keyboard) == 0)
        return;
    display->setInputFormula(provider->createFormula(0));
}
