#include "qpanelaccessibility.h"

#include "qaccessibleformula.h"
#include "qaccessiblehistoryentry.h"
#include "qaccessiblescreenkey.h"
#include "qformula.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>

namespace
{
QAccessible::UpdateHandler passOn = nullptr;
// The edited formula that the reader was last told has the focus.
QPointer<QFormula> focusedFormula;

void filterUpdate(QAccessibleEvent *event);

// To the handler installed before, or, when there was none, to the
// platform's bridge, which the toolkit calls while no handler is installed.
void forward(QAccessibleEvent *event)
{
    if (passOn) {
        passOn(event);
        return;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&filterUpdate);
}

// The toolkit reports the focus of the field that has it; the reader is
// told of the formula that holds the field, once as long as the focus stays
// inside it.
void filterUpdate(QAccessibleEvent *event)
{
    if (event->type() != QAccessible::Focus) {
        forward(event);
        return;
    }
    QFormula *formula = QAccessibleFormula::editedRootOf(event->object());
    if (formula && formula == focusedFormula)
        return;
    focusedFormula = formula;
    if (!formula) {
        forward(event);
        return;
    }
    QAccessibleEvent focus(formula, QAccessible::Focus);
    forward(&focus);
}

QAccessibleInterface *panelInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("QFormula") && QAccessibleFormula::isEditedRoot(object))
        return new QAccessibleFormula(static_cast<QFormula *>(object));
    if (className == QLatin1String("QPushButton") && QAccessibleScreenKey::isKey(object))
        return new QAccessibleScreenKey(static_cast<QAbstractButton *>(object));
    if (className == QLatin1String("QFrame") && QAccessibleHistoryEntry::isEntry(object))
        return new QAccessibleHistoryEntry(static_cast<QWidget *>(object));
    if (className == QLatin1String("QWidget") &&
        object->objectName() == QLatin1String("historyList"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::List);
    return nullptr;
}
} // namespace

void QPanelAccessibility::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&panelInterface);
    passOn = QAccessible::installUpdateHandler(&filterUpdate);
    // Focus that left the program and comes back is announced again.
    QObject::connect(qApp, &QApplication::focusChanged, [](QWidget *, QWidget *now) {
        if (!now)
            focusedFormula = nullptr;
    });
}
