#include "qaccessiblehistoryentry.h"

#include "qformulahistory.h"
#include "qformulahistoryview.h"
#include "qformulaspeech.h"
#include "qformulawords.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace
{
const char *entryName = "historyEntry";
const char *entryProperty = "entry";
} // namespace

QAccessibleHistoryEntry::QAccessibleHistoryEntry(QWidget *entry)
    : QAccessibleWidget(entry, QAccessible::ListItem)
{
}

bool QAccessibleHistoryEntry::isEntry(const QObject *object)
{
    return object->isWidgetType() && object->objectName() == QLatin1String(entryName);
}

int QAccessibleHistoryEntry::childCount() const
{
    return 0;
}

QAccessibleInterface *QAccessibleHistoryEntry::child(int) const
{
    return nullptr;
}

int QAccessibleHistoryEntry::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *QAccessibleHistoryEntry::childAt(int, int) const
{
    return nullptr;
}

QString QAccessibleHistoryEntry::text(QAccessible::Text type) const
{
    if (type != QAccessible::Name)
        return QAccessibleWidget::text(type);
    QWidget *view = widget()->parentWidget();
    while (view && !qobject_cast<QFormulaHistoryView *>(view))
        view = view->parentWidget();
    const QFormulaHistory *history =
        view ? static_cast<QFormulaHistoryView *>(view)->formulaHistory() : nullptr;
    const int index = widget()->property(entryProperty).toInt();
    if (!history || index < 0 || index >= history->count())
        return QString();
    const QFormulaHistory::Entry &entry = history->entry(index);
    return QFormulaWords::translated(QT_TRANSLATE_NOOP("QFormulaWords", "%1 equals %2, %3 of %4"))
        .arg(QFormulaSpeech(entry.formula).text(), entry.answer.simplified(),
             QString::number(index + 1), QString::number(history->count()));
}

QStringList QAccessibleHistoryEntry::actionNames() const
{
    return {QAccessibleActionInterface::pressAction()};
}

// The list takes an entry on the release of a left click.
void QAccessibleHistoryEntry::doAction(const QString &actionName)
{
    if (actionName != QAccessibleActionInterface::pressAction())
        return;
    const QPoint centre = widget()->rect().center();
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget()->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &release);
}
