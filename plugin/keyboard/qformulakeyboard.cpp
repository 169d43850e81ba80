#include "qformulakeyboard.h"

#include "qformula.h"
#include "qscreenkeygroup.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

QFormulaKeyboard::QFormulaKeyboard(QWidget *parent)
    : QFrame(parent), menuButton(new QPushButton(QStringLiteral("..."), this)),
      optionsMenu(new QMenu(tr("Options"), this)), gridLayout(new QGridLayout(this))
{
    QAction *restore = optionsMenu->addAction(tr("Restore defaults"));
    optionsMenu->addSeparator();
    menuButton->setMenu(optionsMenu);
    menuButton->setObjectName(QStringLiteral("showMenu"));
    menuButton->setAccessibleName(optionsMenu->title());
    menuButton->setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    gridLayout->setContentsMargins(1, 1, 1, 1);
    gridLayout->addWidget(menuButton, 0, 0);
    connect(restore, &QAction::triggered, this, &QFormulaKeyboard::setDefaultGroupsVisible);
}

QFormulaKeyboard::~QFormulaKeyboard() = default;

// The catalogue names its groups in English; the caption is the name in the
// user's language where the plug-in's catalogue translates it.
void QFormulaKeyboard::addGroup(int num, const QString &name, bool showDefault)
{
    const QString caption = tr(name.toUtf8().constData());
    auto *group = new QScreenKeyGroup(num, caption, showDefault, this);
    auto *entry = new QAction(caption, optionsMenu);
    groups.append(group);
    connect(group, &QScreenKeyGroup::visibleChanged, entry, &QAction::setChecked);
    connect(entry, &QAction::toggled, group, &QWidget::setVisible);
    connect(group, &QScreenKeyGroup::visibleChanged, this, &QFormulaKeyboard::groupVisibleChanged);
    connect(group, &QScreenKeyGroup::keyClicked, this, &QFormulaKeyboard::keyClicked);
    entry->setCheckable(true);
    optionsMenu->addAction(entry);
    group->loadSettings(settingsFile);
    gridLayout->addWidget(group, 1, groups.size() - 1, 1, 1);
}

// A key of a group that was never declared is left out: its template stays a
// template without a key.
void QFormulaKeyboard::addKey(int groupIndex, const QPixmap &image, int row, int column,
                              QFormula *templ)
{
    if (groupIndex < 0 || groupIndex >= groups.size())
        return;
    groups.at(groupIndex)->addKey(image, row, column, templ);
}

void QFormulaKeyboard::contextMenuEvent(QContextMenuEvent *event)
{
    optionsMenu->popup(event->globalPos());
}

// The "..." button is there exactly while every group is hidden, so that the
// menu stays within reach.
void QFormulaKeyboard::groupVisibleChanged(bool visible)
{
    if (visible) {
        menuButton->hide();
        return;
    }
    const bool anyVisible = std::any_of(groups.cbegin(), groups.cend(), [this](QWidget *group) {
        return group->isVisibleTo(this);
    });
    menuButton->setVisible(!anyVisible);
}

void QFormulaKeyboard::setDefaultGroupsVisible()
{
    for (QScreenKeyGroup *group : qAsConst(groups))
        group->setVisibleRecorded(group->isShownByDefault());
}
