#include "fakeengine.h"
#include "hostwindow.h"
#include "loadedplugin.h"

#include <QAbstractButton>
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
    void windowFits_data();
    void windowFits();
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

    const QKeySequence copyFormula(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    const QKeySequence copy(QKeySequence::Copy);
    const QKeySequence paste(QKeySequence::Paste);
    const QKeySequence clear(Qt::CTRL | Qt::Key_L);
    const QKeySequence undo(QKeySequence::Undo);
    const QKeySequence redo(QKeySequence::Redo);
    QTest::newRow("Copy answer from the menu") << "&Copy answer" << copy << false;
    QTest::newRow("Ctrl+C in the formula") << "&Copy answer" << copy << true;
    QTest::newRow("Copy formula from the menu") << "Copy &formula" << copyFormula << false;
    QTest::newRow("Ctrl+Shift+C in the formula") << "Copy &formula" << copyFormula << true;
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

    QString copied = QStringLiteral("before");
    if (entry == QLatin1String("&Copy answer"))
        copied = QStringLiteral("42");
    else if (entry == QLatin1String("Copy &formula"))
        copied = QStringLiteral("6*7");
    QCOMPARE(QApplication::clipboard()->text(), copied);
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

// The window can be made as small as 800 by 500 pixels at a scale factor of
// 1, and fits a screen of 1280 by 800 pixels at a scale factor of 2 (the
// build runs this test at both), with the history shown or folded away.
void HostWindowTest::windowFits_data()
{
    QTest::addColumn<bool>("historyShown");
    QTest::newRow("history shown") << true;
    QTest::newRow("history folded") << false;
}

void HostWindowTest::windowFits()
{
    QFETCH(bool, historyShown);

    QTemporaryDir settings;
    HostWindow window(loadedPlugin(), settings.filePath(QStringLiteral("brisma.ini")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *toggle = window.panel()->findChild<QAbstractButton *>(QStringLiteral("historyToggle"));
    QVERIFY(toggle);
    if (!historyShown)
        toggle->click();
    // the layouts take the change in when the events are delivered
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window.panel()->findChild<QWidget *>(QStringLiteral("history"))->isVisible(),
             historyShown);
    const qreal scale = window.devicePixelRatioF();
    const QSize screen = scale >= 2 ? QSize(1280, 800) : QSize(800, 500);
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize()) * scale;
    QVERIFY2(
        least.width() <= screen.width() && least.height() <= screen.height(),
        qPrintable(
            QStringLiteral("%1x%2 at scale %3").arg(least.width()).arg(least.height()).arg(scale)));
}

QTEST_MAIN(HostWindowTest)
#include "tst_hostwindow.moc"
