#include "fakeengine.h"
#include "hostwindow.h"
#include "loadedplugin.h"

#include <QAction>
#include <QClipboard>
#include <QMenuBar>
#include <QtTest>

// The host's window around a panel of the built plug-in: its Edit menu
// reaches the panel through the display's slots and the focused widget.
class HostWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editMenu_data();
    void editMenu();
};

namespace
{
// Records the keys a widget receives.
class KeyRecorder : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            keys.append(QKeySequence(int(key->modifiers()) | key->key()));
        }
        return false;
    }
    QList<QKeySequence> keys;
};

QAction *editAction(const HostWindow &window, const QString &text)
{
    for (QAction *menu : window.menuBar()->actions())
        if (menu->text() == QLatin1String("&Edit"))
            for (QAction *action : menu->menu()->actions())
                if (action->text() == text)
                    return action;
    return nullptr;
}
} // namespace

void HostWindowTest::initTestCase()
{
    QVERIFY(loadedPlugin());
}

// Each entry of the Edit menu, chosen from the menu or by its shortcut in
// the formula: Copy answer puts the answer on the clipboard, Paste hands
// Ctrl+V to the focused field, which types the clipboard, Undo and Redo hand
// it their keys, Clear empties the formula.
void HostWindowTest::editMenu_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("byShortcut");

    const QKeySequence copy(QKeySequence::Copy);
    const QKeySequence paste(QKeySequence::Paste);
    const QKeySequence clear(Qt::CTRL | Qt::Key_L);
    const QKeySequence undo(QKeySequence::Undo);
    const QKeySequence redo(QKeySequence::Redo);
    QTest::newRow("Copy answer from the menu") << "&Copy answer" << copy << false;
    QTest::newRow("Ctrl+C in the formula") << "&Copy answer" << copy << true;
    QTest::newRow("Paste from the menu") << "&Paste" << paste << false;
    QTest::newRow("Clear from the menu") << "C&lear" << clear << false;
    QTest::newRow("Ctrl+L in the formula") << "C&lear" << clear << true;
    QTest::newRow("Undo from the menu") << "&Undo" << undo << false;
    QTest::newRow("Redo from the menu, after an undo") << "&Redo" << redo << false;
}

void HostWindowTest::editMenu()
{
    QFETCH(QString, entry);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, byShortcut);

    FakeEngine engine;
    engine.answer("42\n");
    QTemporaryDir settings;
    HostWindow window(loadedPlugin(), settings.filePath(QStringLiteral("brisma.ini")));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    DisplayDriver driver(window.panel());
    DisplayDriver::type(QStringLiteral("6*7"));
    QVERIFY(driver.solve());
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QWidget *field = QApplication::focusWidget();
    KeyRecorder recorder;
    field->installEventFilter(&recorder);

    QAction *action = editAction(window, entry);
    QVERIFY(action);
    QCOMPARE(action->shortcut(), shortcut);
    if (entry == QLatin1String("&Redo"))
        QTest::keySequence(field, QKeySequence(QKeySequence::Undo));
    if (byShortcut)
        QTest::keySequence(field, shortcut);
    else
        action->trigger();

    const bool copied = entry == QLatin1String("&Copy answer");
    QCOMPARE(QApplication::clipboard()->text(), copied ? QStringLiteral("42") : "before");
    if (entry == QLatin1String("&Paste"))
        QCOMPARE(recorder.keys, QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_V)});
    engine.answer("1\n");
    QVERIFY(driver.pressReturn());
    // the field types what Paste hands it, the other entries leave the
    // formula alone or empty it
    QString sent = QStringLiteral("6*7");
    if (entry == QLatin1String("&Paste"))
        sent += QLatin1String("before");
    else if (entry == QLatin1String("C&lear") || entry == QLatin1String("&Undo"))
        sent.clear();
    QCOMPARE(engine.arguments().last(), sent);
}

QTEST_MAIN(HostWindowTest)
#include "tst_hostwindow.moc"
