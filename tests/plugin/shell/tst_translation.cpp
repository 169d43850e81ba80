#include "loadedplugin.h"
#include "settledlayout.h"
#include "toveltree.h"

#include <QAccessible>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QTextCodec>
#include <QtTest>

// Runs twice, under a Russian and under an English locale (see the build);
// what the plug-in shows follows the locale's language.
class TranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void texts();
    void panelTexts_data();
    void panelTexts();
    void spokenTexts_data();
    void spokenTexts();
    void engineErrorInAnswerLine();
    void groupCaptionsWhole();
    void keyToolTips_data();
    void keyToolTips();
};

namespace
{

bool russian()
{
    return QLocale::system().language() == QLocale::Russian;
}

QString expected(const char *english, const char *inRussian)
{
    return QString::fromUtf8(russian() ? inRussian : english);
}

// The editable text below the interface that a screen reader would type
// into: the formula, not the read-only answer line.
QAccessibleInterface *editableText(QAccessibleInterface *iface)
{
    if (iface->role() == QAccessible::EditableText && !iface->state().readOnly)
        return iface;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *found = editableText(iface->child(i)))
            return found;
    return nullptr;
}

} // namespace

void TranslationTest::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QVERIFY(loadedPlugin());
    QCOMPARE(loadedPlugin()->loadTranslation(), russian() ? QStringLiteral("ru_RU") : QString());
}

void TranslationTest::texts()
{
    QPluginInterface *plugin = loadedPlugin();
    QCOMPARE(plugin->title(), expected("Brisma", "Брисма"));
    const QString about = plugin->aboutText();
    QVERIFY(about.contains(expected("<h3>Brisma</h3>", "<h3>Брисма</h3>")));
    QVERIFY(about.contains(expected("Version " PROJECT_VERSION, "Версия " PROJECT_VERSION)));
    QVERIFY(about.contains(expected("scientific calculator features.",
                                    "Интерфейс и функции научного калькулятора прилагаются.")));
    PanelWindow window;
    QVERIFY(window.driver.label(expected("Base", "Сист")));
    QVERIFY(window.driver.label(expected("Prec", "Точн")));
    QVERIFY(window.driver.label(expected("Angle", "Углы")));
    QVERIFY(window.driver.label(expected("Brisma", "Брисма")));
    QVERIFY(window.driver.button(QStringLiteral("=")));
    QVERIFY(window.driver.button(QStringLiteral("CE")));
    QCOMPARE(window.driver.button(QStringLiteral("="))->toolTip(),
             expected("Calculate (Return)", "Вычислить (Return)"));
}

// Every text of the panel follows the locale: the keyboard's group captions,
// its menu, the history, the answer line's statuses.
void TranslationTest::panelTexts_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("text");

    QTest::newRow("first group caption")
        << "groupHeader" << expected("Trigonometric functions", "Тригонометрические функции");
    QTest::newRow("menu entry of a hidden group")
        << "menu" << expected("Hexadecimal numbers", "Шестнадцатеричные числа");
    QTest::newRow("Restore defaults")
        << "menu" << expected("Restore defaults", "Восстановить по умолчанию");
    QTest::newRow("history caption") << "history" << expected("History", "История");
    QTest::newRow("Clear history") << "history" << expected("Clear history", "Очистить историю");
    QTest::newRow("stopped calculation")
        << "answer" << expected("Calculation stopped", "Вычисление остановлено");
}

void TranslationTest::panelTexts()
{
    QFETCH(QString, objectName);
    QFETCH(QString, text);

    QTemporaryDir engineDir;
    const QByteArray oldPath = qgetenv("PATH");
    QDir(engineDir.path()).mkdir(QStringLiteral("bin"));
    QFile endless(engineDir.filePath(QStringLiteral("bin/tovel")));
    QVERIFY(endless.open(QIODevice::WriteOnly));
    endless.write("#!/bin/sh\nexec sleep 600\n");
    endless.setPermissions(endless.permissions() | QFileDevice::ExeOwner);
    endless.close();
    qputenv("PATH", QFile::encodeName(engineDir.filePath(QStringLiteral("bin"))) + ':' + oldPath);
    PanelWindow window;
    QVERIFY(window.open());
    QStringList texts;
    if (objectName == QLatin1String("menu")) {
        for (QAction *action : window.panel->findChild<QMenu *>()->actions())
            texts.append(action->text());
    } else if (objectName == QLatin1String("answer")) {
        window.driver.click(QStringLiteral("="));
        QTRY_COMPARE(window.driver.engine()->state(), QProcess::Running);
        window.driver.click(QStringLiteral("CE"));
        texts.append(window.driver.answer());
        QTRY_COMPARE(window.driver.engine()->state(), QProcess::NotRunning);
    } else {
        QWidget *parent = window.panel->findChild<QWidget *>(objectName);
        for (QLabel *label : window.panel->findChildren<QLabel *>())
            if (parent->isAncestorOf(label) || parent == label)
                texts.append(label->text());
        for (QPushButton *button : window.panel->findChildren<QPushButton *>())
            if (parent->isAncestorOf(button) || parent == button)
                texts.append(button->toolTip().isEmpty() ? button->text() : button->toolTip());
    }
    qputenv("PATH", oldPath);
    QVERIFY2(texts.contains(text), qPrintable(texts.join(QLatin1String(", "))));
}

// What a screen reader says follows the locale as well: the formula read
// aloud, the field the cursor is in, the names of keys and buttons.
void TranslationTest::spokenTexts_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");

    QTest::newRow("fraction key") << "key - Дробь" << expected("Fraction", "Дробь");
    QTest::newRow("operator key") << "key - +" << expected("plus", "плюс");
    QTest::newRow("equals button") << "" << expected("Equals", "Равно");
    QTest::newRow("formula") << "formula" << expected("Formula", "Формула");
    QTest::newRow("formula read aloud")
        << "reading" << expected("1 plus empty over empty", "1 плюс пусто делить на пусто");
    QTest::newRow("field of the cursor") << "field" << expected("denominator", "знаменатель");
}

void TranslationTest::spokenTexts()
{
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    PanelWindow window;
    QVERIFY(window.open());
    if (objectName.startsWith(QLatin1String("key - "))) {
        auto *key = window.panel->findChild<QWidget *>(objectName);
        QCOMPARE(QAccessible::queryAccessibleInterface(key)->text(QAccessible::Name), name);
        return;
    }
    if (objectName.isEmpty()) {
        QCOMPARE(QAccessible::queryAccessibleInterface(window.driver.button(QStringLiteral("=")))
                     ->text(QAccessible::Name),
                 name);
        return;
    }
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1+"));
    window.clickKey(QStringLiteral("Дробь"));
    QAccessibleInterface *formula =
        editableText(QAccessible::queryAccessibleInterface(window.panel.get()));
    QVERIFY(formula);
    const QAccessible::Text text = objectName == QLatin1String("formula") ? QAccessible::Name
                                   : objectName == QLatin1String("reading")
                                       ? QAccessible::Value
                                       : QAccessible::Description;
    QCOMPARE(formula->text(text), name);
}

// The engine writes in the locale's encoding; the answer line reads it so.
void TranslationTest::engineErrorInAnswerLine()
{
    TovelTree tree(TovelTree::Shipped);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tree.path(QStringLiteral("bin"))) + ':' + oldPath);
    PanelWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("y"));
    QVERIFY(window.driver.pressReturn());
    QCOMPARE(window.driver.answer(), expected("Error: undefined variable or function: y\n",
                                              "Ошибка: не задана переменная или функция y\n"));
    qputenv("PATH", oldPath);
}

// Every group caption is shown whole, with every group shown at once: a
// caption wider than its keys breaks between its words, never inside one.
void TranslationTest::groupCaptionsWhole()
{
    PanelWindow window;
    for (QAction *entry : window.panel->findChild<QMenu *>()->actions())
        if (entry->isCheckable())
            entry->setChecked(true);
    QVERIFY(window.open());
    window.panel->resize(window.panel->sizeHint());
    QVERIFY(settleLayout(window.panel.get()));
    const auto headers = window.panel->findChildren<QPushButton *>(QStringLiteral("groupHeader"));
    QCOMPARE(headers.size(), 7);
    for (const QPushButton *header : headers) {
        QVERIFY(header->isVisible());
        const QStringList lines = header->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.join(QLatin1Char(' ')), header->toolTip());
        for (const QString &line : lines)
            QVERIFY2(header->fontMetrics().horizontalAdvance(line) <=
                         header->contentsRect().width(),
                     qPrintable(line));
        QVERIFY2(header->height() >= header->fontMetrics().size(0, header->text()).height(),
                 qPrintable(header->text()));
    }
}

// Every screen key has a tool tip with its name in the user's language.
void TranslationTest::keyToolTips_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("sine") << "Синус" << expected("Sine", "Синус");
    QTest::newRow("fraction") << "Дробь" << expected("Fraction", "Дробь");
    QTest::newRow("digit") << "7" << expected("Digit 7", "Цифра 7");
    QTest::newRow("sign") << "/" << expected("Divided by", "Разделить");
    QTest::newRow("exclusive or") << "Исключение (ИЛИ)"
                                  << expected("Exclusive or", "Исключающее ИЛИ");
    QTest::newRow("hexadecimal digit")
        << "F" << expected("Hexadecimal digit F", "Шестнадцатеричная цифра F");
    QTest::newRow("every key has one") << QString() << QString();
}

void TranslationTest::keyToolTips()
{
    QFETCH(QString, formula);
    QFETCH(QString, toolTip);

    PanelWindow window;
    const auto keys = window.panel->findChildren<QPushButton *>(QRegularExpression("^key - "));
    QCOMPARE(keys.size(), 54);
    for (const QPushButton *key : keys) {
        if (formula.isEmpty())
            QVERIFY2(!key->toolTip().isEmpty(), qPrintable(key->objectName()));
        else if (key->objectName() == QStringLiteral("key - ") + formula)
            QCOMPARE(key->toolTip(), toolTip);
    }
}

QTEST_MAIN(TranslationTest)
#include "tst_translation.moc"
