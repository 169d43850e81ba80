#ifndef QFORMULAKEYBOARD_H
#define QFORMULAKEYBOARD_H

#include <QFrame>
#include <QList>

class QFormula;
class QGridLayout;
class QMenu;
class QPushButton;
class QScreenKeyGroup;

// The screen keyboard: key groups side by side, each of which the user can
// hide by its header and show again from the Options menu. The "..." button
// that opens the menu appears only while every group is hidden; a right click
// anywhere on the keyboard opens the menu too. Its keys can be drawn smaller
// than their pictures, so that it fits a small panel.
class QFormulaKeyboard : public QFrame
{
    Q_OBJECT

public:
    explicit QFormulaKeyboard(QWidget *parent = nullptr);
    ~QFormulaKeyboard() override;

    void addGroup(int num, const QString &name, bool showDefault);
    void addKey(int groupIndex, const QPixmap &image, int row, int column, QFormula *templ);

    int groupCount() const { return groups.size(); }
    QScreenKeyGroup *group(int index) const { return groups.at(index); }
    QPushButton *menuButtonWidget() const { return menuButton; }
    QMenu *menu() const { return optionsMenu; }

    // Draws every key at this share of its picture's size.
    void setKeyScale(qreal scale);
    // The room the shown groups take with their keys at that scale.
    QSize sizeAt(qreal scale) const;

    // Where every group reads and writes its visibility; set before groups
    // are added.
    QString settingsFile;

signals:
    void keyClicked(QFormula *bindedElement);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private slots:
    void groupVisibleChanged(bool visible);
    void setDefaultGroupsVisible();

private:
    QList<QScreenKeyGroup *> groups;
    QPushButton *menuButton;
    QMenu *optionsMenu;
    QGridLayout *gridLayout;
};

#endif
