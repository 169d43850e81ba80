#ifndef QACCESSIBLESCREENKEY_H
#define QACCESSIBLESCREENKEY_H

#include <QAccessibleWidget>

class QAbstractButton;

// A key of the screen keyboard as a screen reader sees it: a button named
// after its template ("Fraction", "Sine", "plus", "7") that can be pressed.
// The template hidden inside the key is not shown as its child.
class QAccessibleScreenKey : public QAccessibleWidget
{
public:
    explicit QAccessibleScreenKey(QAbstractButton *key);

    static bool isKey(const QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

#endif
