#include "brisma.h"

#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulahistory.h"
#include "qformulahistoryview.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"
#include "qkeyboardarea.h"
#include "qpanelaccessibility.h"

#include <QFile>
#include <QHBoxLayout>
#include <QSettings>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
const QString historyShownKey = QStringLiteral("brisma/historyVisible");
} // namespace

brisma::brisma(QWidget *parent)
    : QFrame(parent), display(new QFormulaDisplay(this)), keyboard(new QFormulaKeyboard(this)),
      keyboardArea(new QKeyboardArea(keyboard, this)), panelLayout(new QVBoxLayout),
      history(new QFormulaHistory(this)), historyView(new QFormulaHistoryView(this)),
      historyToggle(new QToolButton(this)), sideBySide(new QHBoxLayout(this))
{
    QPanelAccessibility::install();
    setFocusProxy(display);
    historyToggle->setObjectName(QStringLiteral("historyToggle"));
    historyToggle->setCheckable(true);
    historyToggle->setFocusPolicy(Qt::NoFocus);
    historyToggle->setAutoRaise(true);
    sideBySide->setContentsMargins(14, 14, 14, 14);
    sideBySide->setSpacing(14);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(display);
    panelLayout->addWidget(keyboardArea);
    sideBySide->addLayout(panelLayout, 1);
    sideBySide->addWidget(historyToggle, 0, Qt::AlignTop);
    sideBySide->addWidget(historyView, 0);
    connect(historyToggle, &QToolButton::toggled, this, &brisma::showHistory);
    showHistory(true);
    connect(keyboard, &QFormulaKeyboard::keyClicked, display, &QFormulaDisplay::insertFormula);
    connect(historyView, &QFormulaHistoryView::entryChosen, display, &QFormulaDisplay::recall);
}

// The templates, some of them inside the keyboard's key buttons, go before
// the keyboard does; the history's fold is kept with the key groups'
// visibility.
brisma::~brisma()
{
    if (!settingsFile.isEmpty())
        QSettings(settingsFile, QSettings::IniFormat)
            .setValue(historyShownKey, historyToggle->isChecked());
    delete provider;
}

// The catalogue is loaded once; a later call only names another file.
void brisma::setSettingsFile(const QString &settingsFile)
{
    keyboard->settingsFile = settingsFile;
    this->settingsFile = settingsFile;
    if (provider)
        return;
    showHistory(
        QSettings(settingsFile, QSettings::IniFormat).value(historyShownKey, true).toBool());
    QFile catalogue(QStringLiteral(":brisma/data/formulaItems.xml"));
    provider = new QFormulaProvider();
    if (provider->load(&catalogue, keyboard) == 0)
        return;
    display->setInputFormula(provider->createFormula(0));
    history->load(QFormulaHistory::fileBeside(settingsFile));
    historyView->setHistory(history, provider);
    display->setHistory(history, provider);
}

void brisma::showHistory(bool shown)
{
    historyView->setVisible(shown);
    historyToggle->setChecked(shown);
    historyToggle->setArrowType(shown ? Qt::RightArrow : Qt::LeftArrow);
    historyToggle->setToolTip(shown ? tr("Fold the history away") : tr("Show the history"));
}
