#include "brisma.h"

#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulahistory.h"
#include "qformulahistoryview.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"
#include "qkeyboardarea.h"
#include "qpanelaccessibility.h"

#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QToolButton>
#include <QWindow>

namespace
{
const QString historyShownKey = QStringLiteral("brisma/historyVisible");
// The margins around the panel's parts and the room between them, as a rule
// and on a small screen.
const int roomySpacing = 14;
const int compactSpacing = 6;
} // namespace

brisma::brisma(QWidget *parent)
    : QFrame(parent), display(new QFormulaDisplay(this)), keyboard(new QFormulaKeyboard(this)),
      keyboardArea(new QKeyboardArea(keyboard, this)), history(new QFormulaHistory(this)),
      historyView(new QFormulaHistoryView(this)), historyToggle(new QToolButton(this)),
      grid(new QGridLayout(this))
{
    QPanelAccessibility::install();
    setFocusProxy(display);
    historyToggle->setObjectName(QStringLiteral("historyToggle"));
    historyToggle->setCheckable(true);
    historyToggle->setFocusPolicy(Qt::NoFocus);
    historyToggle->setAutoRaise(true);
    grid->addWidget(display, 0, 0);
    grid->setColumnStretch(0, 1);
    setCompact(false);
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

// The look is chosen as the panel is shown (not again when its window
// comes back from being minimised), and when its window moves to another
// screen.
void brisma::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (event->spontaneous())
        return;
    if (QWindow *handle = window()->windowHandle())
        connect(handle, &QWindow::screenChanged, this, &brisma::chooseLook, Qt::UniqueConnection);
    chooseLook();
}

// Compact where the window around the panel, with the panel in its roomy
// look, would be taller than the screen's room for it.
void brisma::chooseLook()
{
    setCompact(false);
    // the layouts take the roomy margins in before the window is measured
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QScreen *screen = window()->screen();
    setCompact(screen && window()->sizeHint().height() > screen->availableGeometry().height());
}

// The history stands beside the display and the keys, or, in the compact
// look, beside the display only, so that the keys have the panel's whole
// width.
void brisma::setCompact(bool compact)
{
    const int spacing = compact ? compactSpacing : roomySpacing;
    grid->setContentsMargins(spacing, spacing, spacing, spacing);
    grid->setSpacing(spacing);
    for (QWidget *part : QWidgetList{historyToggle, historyView, keyboardArea})
        grid->removeWidget(part);
    const int historyRows = compact ? 1 : 2;
    grid->addWidget(historyToggle, 0, 1, historyRows, 1, Qt::AlignTop);
    grid->addWidget(historyView, 0, 2, historyRows, 1);
    grid->addWidget(keyboardArea, 1, 0, 1, compact ? 3 : 1);
    display->setCompact(compact);
    updateGeometry();
}
