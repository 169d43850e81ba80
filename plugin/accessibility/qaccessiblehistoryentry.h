#ifndef QACCESSIBLEHISTORYENTRY_H
#define QACCESSIBLEHISTORYENTRY_H

#include <QAccessibleWidget>

// One entry of the history list as a screen reader sees it: a list item that
// reads "formula equals answer, n of m", the formula in the words of the
// formula word table, whether or not the entry has been drawn yet. Pressing
// it brings the formula back into the editor, as a click does.
class QAccessibleHistoryEntry : public QAccessibleWidget
{
public:
    explicit QAccessibleHistoryEntry(QWidget *entry);

    static bool isEntry(const QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

#endif
