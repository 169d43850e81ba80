#ifndef QFORMULAPROVIDER_H
#define QFORMULAPROVIDER_H

#include "qtemplatecatalogue.h"

#include <QRect>
#include <QVector>
#include <QXmlDefaultHandler>

class QFormula;
class QFormulaKeyboard;
class QFormulaRecord;
class QIODevice;
class QPixmap;

// Reads the formula catalogue: one template formula per item, and through
// the keyboard one key group per group and one key per keyed item, its
// picture cut out of the catalogue's palette image. The provider owns the
// templates, also those hidden inside key buttons, so it must be deleted
// while the keyboard still exists.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
class QFormulaProvider : public QXmlDefaultHandler
{
public:
    QFormulaProvider();
    ~QFormulaProvider() override;

    int load(QIODevice *device, QFormulaKeyboard *keyboard);
    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &atts) override;
    void addItem(int group, const QString &name, const QString &lineTemplate,
                 const QString &appendText, int paletteX, int paletteY, int paletteW, int paletteH,
                 int keybX, int keybY, const QString &title = QString());
    int count() const;
    QFormula *createFormula(int index) const;
    // The formula the record describes, built from the templates it names;
    // none when it names a template that is not there, or gives a template
    // more or fewer fields than it has.
    QFormula *createFormula(const QFormulaRecord &record) const;
    // Whether createFormula can build the record.
    bool describes(const QFormulaRecord &record) const;
    const QFormula *formulaTemplate(int index) const { return templates.at(index); }
    // The rectangle of the palette that pictures the item's key; empty for
    // an item without a key.
    QRect keyFace(int index) const { return keyFaces.at(index); }

    const QTemplateCatalogue &catalogue() const { return templateCatalogue; }

private:
    void readItemTriggers(const QXmlAttributes &atts);
    void readField(const QXmlAttributes &atts);
    void readLine(const QXmlAttributes &atts);

    QVector<QFormula *> templates;
    QTemplateCatalogue templateCatalogue;
    QVector<QRect> keyFaces;
    QPixmap *palette = nullptr;
    QFormulaKeyboard *keyboard = nullptr;
};
QT_WARNING_POP

#endif
