#ifndef QSCREENKEYGROUP_H
#define QSCREENKEYGROUP_H

#include <QSize>
#include <QVector>
#include <QWidget>

class QFormula;
class QGridLayout;
class QPushButton;
class QVBoxLayout;

// One group of screen keys with its header button under them. The group
// records whether the user wants it shown (groupVisible): hides that come
// through its own signal connections (the header's click, the menu entry)
// are recorded, hides of the whole window are not. The recorded visibility
// lives in the settings file under brisma/groupNvisible. Its keys can be
// drawn smaller than their pictures, so that the keyboard fits a small
// panel.
class QScreenKeyGroup : public QWidget
{
    Q_OBJECT

public:
    QScreenKeyGroup(int num, const QString &name, bool showDefault, QWidget *parent);
    ~QScreenKeyGroup() override;

    void addKey(const QPixmap &image, int row, int column, QFormula *templ);
    void loadSettings(const QString &settingsFile);
    void saveSettings(const QString &settingsFile);
    // Sets the visibility as the user's own choice and records it.
    void setVisibleRecorded(bool visible);
    // Draws every key at this share of its picture's size.
    void setKeyScale(qreal scale);
    // The room the group takes with its keys at that scale, its caption
    // broken into lines for it.
    QSize sizeAt(qreal scale) const;

    int number() const { return num; }
    bool isGroupVisible() const { return groupVisible; }
    bool isShownByDefault() const { return showDefault; }
    QPushButton *headerButton() const { return header; }

signals:
    void keyClicked(QFormula *bindedElement);
    void visibleChanged(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void keyClick();

private:
    struct Key {
        QPushButton *button;
        QSize picture;
        int row;
        int column;
    };

    QSize keyGridSizeAt(qreal scale) const;
    void spaceKeys(qreal scale);
    QString captionFor(int keysWidth) const;
    QStringList captionWords() const;
    int narrowestCaptionWidth() const;
    QSize headerSizeFor(const QString &caption) const;
    void wrapCaption();
    QString settingsKey() const;
    void record();

    QString settingsFile;
    int num;
    bool groupVisible;
    bool showDefault;
    QPushButton *header;
    QVBoxLayout *layout;
    QGridLayout *keyGrid;
    QVector<Key> keys;
    qreal keyScale = 1;
};

#endif
