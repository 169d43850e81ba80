#ifndef EDITORWINDOW_H
#define EDITORWINDOW_H

#include "qformula.h"
#include "qformulafield.h"
#include "qtemplatecatalogue.h"
#include "templates.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QtTest>

// A window holding a root input formula, a copy of the input template, the
// way the calculator display holds its formula. Keys go to the focused field;
// typing builds fractions, powers, roots and absolute values from the
// window's templates.
class EditorWindow : public QWidget
{
public:
    // Without an explicit font the formula tree inherits the window's font.
    explicit EditorWindow(bool explicitFont = true)
        : inputTemplate(catalogued(templates::input())),
          fraction(catalogued(templates::fraction())), power(catalogued(templates::power())),
          squareRoot(catalogued(templates::squareRoot())),
          absoluteValue(catalogued(templates::absoluteValue())),
          sine(catalogued(templates::sine())), root(new QFormula(*inputTemplate))
    {
        root->setParent(this);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(root);
        if (explicitFont)
            root->setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        resize(400, 150);
    }

    bool open()
    {
        show();
        return QTest::qWaitForWindowActive(this);
    }

    QFormulaField *rootField() const { return root->field(0); }

    static QFormulaField *focusedField()
    {
        return qobject_cast<QFormulaField *>(QApplication::focusWidget());
    }

    // Each character goes to the widget that has the focus when it is typed,
    // as a keyboard's would: typing "/" moves the focus into a fraction.
    static void type(const QString &text)
    {
        for (const QChar ch : text) {
            const Qt::Key key =
                ch.unicode() < 0x80 ? Qt::Key(QTest::asciiToKey(ch.toLatin1())) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString(ch),
                                Qt::NoModifier);
        }
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    // Inserts a copy of the template as a key click does and returns the
    // copy, which stands right after the focused field's cursor.
    QFormula *insert(QFormula *formulaTemplate)
    {
        QFormulaField *target = focusedField();
        root->insertFormula(formulaTemplate);
        return qobject_cast<QFormula *>(target->itemWidget(target->cursorPosition()));
    }

    std::unique_ptr<QFormula> catalogued(std::unique_ptr<QFormula> formulaTemplate)
    {
        catalogue.add(formulaTemplate.get());
        return formulaTemplate;
    }

    QTemplateCatalogue catalogue;
    std::unique_ptr<QFormula> inputTemplate;
    std::unique_ptr<QFormula> fraction;
    std::unique_ptr<QFormula> power;
    std::unique_ptr<QFormula> squareRoot;
    std::unique_ptr<QFormula> absoluteValue;
    std::unique_ptr<QFormula> sine;
    QFormula *root;
};

#endif
