#include "brisma.h"

#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulahistory.h"
#include "qformulahistoryview.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"
#include "qpanelaccessibility.h"

#include <QFile>
#include <QHBoxLayout>
#include <QVBoxLayout>

brisma::brisma(QWidget *parent)
    : QFrame(parent), display(new QFormulaDisplay(this)), keyboard(new QFormulaKeyboard(this)),
      panelLayout(new QVBoxLayout), history(new QFormulaHistory(this)),
      historyView(new QFormulaHistoryView(this)), sideBySide(new QHBoxLayout(this))
{
    QPanelAccessibility::install();
    setFocusProxy(display);
    sideBySide->setContentsMargins(14, 14, 14, 14);
    sideBySide->setSpacing(14);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(display);
    panelLayout->addWidget(keyboard);
    sideBySide->addLayout(panelLayout, 2);
    sideBySide->addWidget(historyView, 1);
    connect(keyboard, &QFormulaKeyboard::keyClicked, display, &QFormulaDisplay::insertFormula);
    connect(historyView, &QFormulaHistoryView::entryChosen, display, &QFormulaDisplay::recall);
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
    history->load(QFormulaHistory::fileBeside(settingsFile));
    historyView->setHistory(history, provider);
    display->setHistory(history, provider);
}
