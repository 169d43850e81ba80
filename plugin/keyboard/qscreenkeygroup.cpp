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
    // The catalogue names the key in English.
    key->setToolTip(tr(templ->toolTip().toUtf8().constData()));
    key->setIconSize(image.size());
    key->setFixedSize(image.size());
    key->setIcon(QIcon(image));
    templ->hide();
    templ->setParent(key);
    keyGrid->addWidget(key, row, column, 1, 1);
    connect(key, &QPushButton::clicked, this, &QScreenKeyGroup::keyClick);
    wrapCaption();
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

// The group's name is never cut: a header narrower than it breaks it into
// lines between its words, as wide as the keys, or as the longest word
// where that is wider.
void QScreenKeyGroup::wrapCaption()
{
    const QFontMetrics metrics = header->fontMetrics();
    const QStringList words = header->toolTip().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int widest = 0;
    for (const QString &word : words)
        widest = qMax(widest, metrics.horizontalAdvance(word));
    header->setMinimumWidth(widest + headerPadding);
    const int room = qMax(keyGrid->sizeHint().width() - headerPadding, widest);
    QStringList lines;
    for (const QString &word : words) {
        const QString longer = lines.isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
        if (!lines.isEmpty() && metrics.horizontalAdvance(longer) <= room)
            lines.last() = longer;
        else
            lines.append(word);
    }
    header->setText(lines.join(QLatin1Char('\n')));
}

// The caption is broken anew as keys come and once the header has the
// style's font, by the time the group is shown.
void QScreenKeyGroup::showEvent(QShowEvent *event)
{
    event->accept();
    wrapCaption();
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
