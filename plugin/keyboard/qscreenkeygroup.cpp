#include "qscreenkeygroup.h"

#include "qformula.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

namespace
{
// Room the header's style takes beside its text.
const int headerPadding = 12;
// The margins around the keys and the room between them, with the keys at
// the size of their pictures; smaller keys get less.
const int keyMargin = 5;
const int keySpacing = 6;

int keyMarginAt(qreal scale)
{
    return qRound(keyMargin * scale);
}

int keySpacingAt(qreal scale)
{
    return qRound(keySpacing * scale);
}

QSize scaled(const QSize &size, qreal scale)
{
    return QSize(qMax(1, qRound(size.width() * scale)), qMax(1, qRound(size.height() * scale)));
}

// The length of a row of keys or of a column: the keys' widest extents and
// the spaces between them.
int runLength(const QMap<int, int> &extents, int spacing)
{
    int length = spacing * (extents.size() - 1);
    for (const int extent : extents)
        length += extent;
    return qMax(0, length);
}
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
    spaceKeys(keyScale);
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
    key->setIconSize(scaled(image.size(), keyScale));
    key->setFixedSize(key->iconSize());
    key->setIcon(QIcon(image));
    templ->hide();
    templ->setParent(key);
    keyGrid->addWidget(key, row, column, 1, 1);
    keys.append({key, image.size(), row, column});
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

void QScreenKeyGroup::setKeyScale(qreal scale)
{
    if (qFuzzyCompare(scale, keyScale))
        return;
    keyScale = scale;
    spaceKeys(scale);
    for (const Key &key : qAsConst(keys)) {
        key.button->setIconSize(scaled(key.picture, scale));
        key.button->setFixedSize(key.button->iconSize());
    }
    wrapCaption();
}

// As the group's layout places them: the keys above, the header below, as
// wide as the keys or as its caption needs.
QSize QScreenKeyGroup::sizeAt(qreal scale) const
{
    const QSize keysSize = keyGridSizeAt(scale);
    const QSize headerSize = headerSizeFor(captionFor(keysSize.width()));
    const QMargins margins = layout->contentsMargins();
    return QSize(qMax(keysSize.width(), narrowestCaptionWidth() + headerPadding),
                 keysSize.height() + layout->spacing() + headerSize.height()) +
           QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize QScreenKeyGroup::keyGridSizeAt(qreal scale) const
{
    QMap<int, int> columnWidths;
    QMap<int, int> rowHeights;
    for (const Key &key : keys) {
        const QSize size = scaled(key.picture, scale);
        columnWidths[key.column] = qMax(columnWidths.value(key.column), size.width());
        rowHeights[key.row] = qMax(rowHeights.value(key.row), size.height());
    }
    const int margins = 2 * keyMarginAt(scale);
    return QSize(runLength(columnWidths, keySpacingAt(scale)) + margins,
                 runLength(rowHeights, keySpacingAt(scale)) + margins);
}

void QScreenKeyGroup::spaceKeys(qreal scale)
{
    const int margin = keyMarginAt(scale);
    keyGrid->setContentsMargins(margin, margin, margin, margin);
    keyGrid->setSpacing(keySpacingAt(scale));
}

// The group's name is never cut: a header narrower than it breaks it into
// lines between its words, as wide as the keys, or, where those are
// narrower, into two lines as narrow as its words allow.
QString QScreenKeyGroup::captionFor(int keysWidth) const
{
    const QFontMetrics metrics = header->fontMetrics();
    const int room = qMax(keysWidth - headerPadding, narrowestCaptionWidth());
    QStringList lines;
    for (const QString &word : captionWords()) {
        const QString longer = lines.isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
        if (!lines.isEmpty() && metrics.horizontalAdvance(longer) <= room)
            lines.last() = longer;
        else
            lines.append(word);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList QScreenKeyGroup::captionWords() const
{
    return header->toolTip().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The wider of the two lines where the name is broken at its best place, or
// the name itself where it is one word.
int QScreenKeyGroup::narrowestCaptionWidth() const
{
    const QFontMetrics metrics = header->fontMetrics();
    const QStringList words = captionWords();
    int narrowest = metrics.horizontalAdvance(words.join(QLatin1Char(' ')));
    for (int split = 1; split < words.size(); ++split) {
        const int first = metrics.horizontalAdvance(words.mid(0, split).join(QLatin1Char(' ')));
        const int second = metrics.horizontalAdvance(words.mid(split).join(QLatin1Char(' ')));
        narrowest = qMin(narrowest, qMax(first, second));
    }
    return narrowest;
}

// What the header's style makes of the caption, as the button measures
// itself.
QSize QScreenKeyGroup::headerSizeFor(const QString &caption) const
{
    QStyleOptionButton option;
    option.initFrom(header);
    option.text = caption;
    const QSize text = header->fontMetrics().size(Qt::TextShowMnemonic, caption);
    option.rect.setSize(text);
    return header->style()->sizeFromContents(QStyle::CT_PushButton, &option, text, header);
}

void QScreenKeyGroup::wrapCaption()
{
    header->setMinimumWidth(narrowestCaptionWidth() + headerPadding);
    header->setText(captionFor(keyGridSizeAt(keyScale).width()));
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
