#include "qformulakeyboard.h"

#include "qformula.h"
#include "qscreenkeygroup.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

namespace
{
// The room between groups, with the keys at the size of their pictures;
// smaller keys get less.
const int groupSpacing = 6;

int groupSpacingAt(qreal scale)
{
    return qRound(groupSpacing * scale);
}
} // namespace

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
    gridLayout->setHorizontalSpacing(groupSpacingAt(1));
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

void QFormulaKeyboard::setKeyScale(qreal scale)
{
    gridLayout->setHorizontalSpacing(groupSpacingAt(scale));
    for (QScreenKeyGroup *group : qAsConst(groups))
        group->setKeyScale(scale);
}

// As the grid places them: the shown groups side by side, or the "..."
// button alone.
QSize QFormulaKeyboard::sizeAt(qreal scale) const
{
    QSize size(0, 0);
    int shown = 0;
    for (const QScreenKeyGroup *group : groups) {
        if (!group->isVisibleTo(this))
            continue;
        const QSize groupSize = group->sizeAt(scale);
        size = QSize(size.width() + groupSize.width(), qMax(size.height(), groupSize.height()));
        ++shown;
    }
    if (shown == 0)
        size = menuButton->sizeHint();
    else
        size.rwidth() += groupSpacingAt(scale) * (shown - 1);
    const QMargins margins = gridLayout->contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
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
