#ifndef EDITORWINDOW_H
#define EDITORWINDOW_H

#include "qformula.h"
#include "qformulafield.h"
#include "templates.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QtTest>

// A window holding a root input formula, a copy of the input template, the
// way the calculator display holds its formula. Keys go to the focused field.
class EditorWindow : public QWidget
{
public:
    // Without an explicit font the formula tree inherits the window's font.
    explicit EditorWindow(bool explicitFont = true)
        : inputTemplate(templates::input()), root(new QFormula(*inputTemplate))
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

    static void type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }

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

    std::unique_ptr<QFormula> inputTemplate;
    QFormula *root;
};

#endif
