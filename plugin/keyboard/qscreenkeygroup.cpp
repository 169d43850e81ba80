#include "qscreenkeygroup.h"

#include "qformula.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
// Room the header's style takes beside its text.
const int headerPadding = 12;
} // namespace

QScreenKeyGroup::QScreenKeyGroup(int num, const QString &name, bool showDefault, QWidget *parent)
    : QWidget(parent), num(num), groupVisible(showDefault), showDefault(showDefault),
      header(new QPushButton(name, this)), layout(new QVBoxLayout(this)), keyGrid(new QGridLayout)
{
    header->setObjectName(QStringLiteral("groupHeader"));
    header->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Maximum);
    header->setFocusPolicy(Qt::NoFocus);
    header->setToolTip(name);
    header->setAccessibleName(name);
    keyGrid->setContentsMargins(5, 5, 5, 5);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(keyGrid, 0);
    layout->addWidget(header, 1, Qt::AlignBottom);
    connect(header, &QPushButton::clicked, this, &QWidget::hide);
}

QScreenKeyGroup::~QScreenKeyGroup()
{
    if (!settingsFile.isEmpty())
        saveSettings(settingsFile);
}

void QScreenKeyGroup::addKey(const QPixmap &image, int row, int column, QFormula *templ)
{
    auto *key = new QPushButton(this);
    key->setObjectName(QStringLiteral("key - ") + templ->objectName());
    key->setFocusPolicy(Qt::NoFocus);
    key->setIconSize(image.size());
    key->setFixedSize(image.size());
    key->setIcon(QIcon(image));
    templ->hide();
    templ->setParent(key);
    keyGrid->addWidget(key, row, column, 1, 1);
    connect(key, &QPushButton::clicked, this, &QScreenKeyGroup::keyClick);
}

void QScreenKeyGroup::loadSettings(const QString &settingsFile)
{
    this->settingsFile = settingsFile;
    QSettings settings(settingsFile, QSettings::IniFormat);
    groupVisible = settings.value(settingsKey(), groupVisible).toBool();
    setVisible(groupVisible);
}

void QScreenKeyGroup::saveSettings(const QString &settingsFile)
{
    QSettings settings(settingsFile, QSettings::IniFormat);
    settings.setValue(settingsKey(), groupVisible);
}

void QScreenKeyGroup::setVisibleRecorded(bool visible)
{
    setVisible(visible);
    groupVisible = visible;
    emit visibleChanged(visible);
}

// A header narrower than the group's name shows it elided; its tool tip
// holds it whole.
void QScreenKeyGroup::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QString name = header->toolTip();
    const int room = header->contentsRect().width() - headerPadding;
    header->setText(header->fontMetrics().elidedText(name, Qt::ElideRight, room));
}

void QScreenKeyGroup::showEvent(QShowEvent *event)
{
    event->accept();
    record();
}

// Only hides asked for through the group's own connections (its header, its
// menu entry) are the user's choice; a hidden window keeps the choice.
void QScreenKeyGroup::hideEvent(QHideEvent *event)
{
    if (!sender())
        return;
    event->accept();
    record();
}

void QScreenKeyGroup::keyClick()
{
    auto *key = qobject_cast<QPushButton *>(sender());
    if (!key)
        return;
    if (auto *templ = key->findChild<QFormula *>(QString(), Qt::FindDirectChildrenOnly))
        emit keyClicked(templ);
}

QString QScreenKeyGroup::settingsKey() const
{
    return QStringLiteral("brisma/group%1visible").arg(num);
}

void QScreenKeyGroup::record()
{
    groupVisible = isVisible();
    emit visibleChanged(groupVisible);
}
