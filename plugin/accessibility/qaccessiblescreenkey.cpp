#include "qaccessiblescreenkey.h"

#include "qformula.h"
#include "qformulawords.h"

#include <QAbstractButton>

QAccessibleScreenKey::QAccessibleScreenKey(QAbstractButton *key)
    : QAccessibleWidget(key, QAccessible::Button)
{
}

bool QAccessibleScreenKey::isKey(const QObject *object)
{
    return qobject_cast<const QAbstractButton *>(object) &&
           object->objectName().startsWith(QLatin1String("key - ")) &&
           object->findChild<QFormula *>(QString(), Qt::FindDirectChildrenOnly);
}

int QAccessibleScreenKey::childCount() const
{
    return 0;
}

QAccessibleInterface *QAccessibleScreenKey::child(int) const
{
    return nullptr;
}

int QAccessibleScreenKey::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *QAccessibleScreenKey::childAt(int, int) const
{
    return nullptr;
}

QString QAccessibleScreenKey::text(QAccessible::Text type) const
{
    if (type != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(type);
    const auto *templ = widget()->findChild<QFormula *>(QString(), Qt::FindDirectChildrenOnly);
    return templ ? QFormulaWords::keyName(templ->objectName(), templ->appendText) : QString();
}

QStringList QAccessibleScreenKey::actionNames() const
{
    return {QAccessibleActionInterface::pressAction()};
}

void QAccessibleScreenKey::doAction(const QString &actionName)
{
    if (actionName == QAccessibleActionInterface::pressAction())
        static_cast<QAbstractButton *>(widget())->click();
}
