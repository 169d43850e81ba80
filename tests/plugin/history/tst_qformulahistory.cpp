#include "displaydriver.h"
#include "fakeengine.h"
#include "panelfixture.h"
#include "qelidedformula.h"
#include "qelidedlabel.h"
#include "qformula.h"
#include "qformulafield.h"
#include "qformulahistory.h"
#include "qformulahistoryview.h"
#include "qformularecord.h"

#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

// The history of formulas: their records as text, the file they are kept
// in, and the panel bringing them back as formulas.
Q_DECLARE_METATYPE(QFormulaRecord)

class FormulaHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordText_data();
    void recordText();
    void unreadableRecord_data();
    void unreadableRecord();
    void historyFile_data();
    void historyFile();
    void lastEntriesKept();
    void recall_data();
    void recall();
    void stepsThroughHistory();
    void survivesRestart();
    void unknownTemplatesLeftOut();
    void clearHistory_data();
    void clearHistory();
    void buildsOnlyEntriesInView_data();
    void buildsOnlyEntriesInView();
    void longAnswerEndsInEllipsis();
    void clickKeepsDraft();
    void recallUndone();
    void foreignFileNotKept();
    void listNeverScrollsSideways_data();
    void listNeverScrollsSideways();
};

namespace
{
QFormulaRecord formula(const QString &name, const QVector<QVector<QFormulaRecord>> &fields)
{
    QFormulaRecord record;
    record.name = name;
    record.fields = fields;
    return record;
}

QVector<QFormulaRecord> glyphs(const QString &text)
{
    QVector<QFormulaRecord> items;
    for (const QChar c : text)
        items.append(QFormulaRecord::glyph(QString(c)));
    return items;
}

QFormulaRecord input(const QVector<QFormulaRecord> &items)
{
    return formula(QStringLiteral("Поле для ввода"), {items});
}

void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QFormulaHistoryView *historyView(const PanelFixture &panel)
{
    return panel.panel->findChild<QFormulaHistoryView *>();
}

// A history file of count entries, each a fraction over 2.
void writeFullHistory(const QString &name, int count)
{
    QByteArray content = QFormulaHistory::header.toUtf8() + '\n';
    for (int i = 0; i < count; ++i)
        content +=
            QStringLiteral("[Поле для ввода|[Дробь|%1|2]]\t%2\n").arg(i).arg(i / 2.0).toUtf8();
    writeFile(name, content);
}

bool isBuilt(const QFormulaHistoryView *view, int index)
{
    return view->entryWidget(index)->findChild<QFormula *>() != nullptr;
}

QSet<int> entriesInView(const QFormulaHistoryView *view)
{
    const auto *scrollArea = view->findChild<QScrollArea *>();
    const QRect inView(-scrollArea->widget()->pos(), scrollArea->viewport()->size());
    QSet<int> entries;
    for (int i = 0; i < view->entryCount(); ++i) {
        if (view->entryWidget(i)->geometry().intersects(inView))
            entries.insert(i);
    }
    return entries;
}

QSet<int> builtEntries(const QFormulaHistoryView *view)
{
    QSet<int> entries;
    for (int i = 0; i < view->entryCount(); ++i) {
        if (isBuilt(view, i))
            entries.insert(i);
    }
    return entries;
}

QFormula *editedFormula(const PanelFixture &panel)
{
    return panel.display()
        ->findChild<QWidget *>(QStringLiteral("inputPlace"))
        ->findChild<QFormula *>();
}

QString editedLine(const PanelFixture &panel)
{
    return editedFormula(panel)->toLine();
}

// Which fields of the tree, depth first, wear brackets of their own.
QList<bool> ownBrackets(const QFormula *formula)
{
    QList<bool> worn;
    for (int i = 0; i < formula->fieldCount(); ++i) {
        const QFormulaField *field = formula->field(i);
        worn.append(field->hasOwnBrackets());
        for (int j = 0; j < field->itemCount(); ++j)
            if (const auto *nested = qobject_cast<const QFormula *>(field->itemWidget(j)))
                worn += ownBrackets(nested);
    }
    return worn;
}
} // namespace

void FormulaHistoryTest::initTestCase()
{
    Q_INIT_RESOURCE(brismadata);
}

void FormulaHistoryTest::recordText_data()
{
    QTest::addColumn<QFormulaRecord>("record");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty input") << input({}) << "[Поле для ввода|]";
    QTest::newRow("typed text") << input(glyphs("1+2")) << "[Поле для ввода|1+2]";
    const QFormulaRecord fraction = formula("Дробь", {glyphs("1"), glyphs("2")});
    QTest::newRow("fraction after text")
        << input(glyphs("1+") << fraction) << "[Поле для ввода|1+[Дробь|1|2]]";
    QTest::newRow("nested twice")
        << input({formula("Корень", {{}, {formula("Степень", {glyphs("2"), glyphs("3")})}})})
        << "[Поле для ввода|[Корень||[Степень|2|3]]]";
    QTest::newRow("special characters escaped")
        << input(glyphs("[|]\\")) << "[Поле для ввода|\\[\\|\\]\\\\]";
    QTest::newRow("control characters escaped")
        << formula("a\tb", {glyphs("\n\r")}) << "[a\\tb|\\n\\r]";
}

// A record's text reads back as the same record.
void FormulaHistoryTest::recordText()
{
    QFETCH(QFormulaRecord, record);
    QFETCH(QString, text);

    QCOMPARE(record.toText(), text);
    QFormulaRecord read;
    QVERIFY(QFormulaRecord::fromText(text, &read));
    QVERIFY(read == record);
}

void FormulaHistoryTest::unreadableRecord_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("no brackets") << "1+2";
    QTest::newRow("unclosed") << "[Поле для ввода|1+2";
    QTest::newRow("unclosed nested") << "[Поле для ввода|[Дробь|1|2]";
    QTest::newRow("text after the record") << "[Поле для ввода|1]2";
    QTest::newRow("escape at the end") << "[Поле для ввода|1\\";
    QTest::newRow("two records") << "[a|1][b|2]";
    QTest::newRow("nested too deep") << QString("[a|").repeated(QFormulaRecord::deepest + 2) +
                                            QString("]").repeated(QFormulaRecord::deepest + 2);
    QTest::newRow("nested very deep") << QString("[a|").repeated(200000);
}

void FormulaHistoryTest::unreadableRecord()
{
    QFETCH(QString, text);
    QFormulaRecord record;
    QVERIFY(!QFormulaRecord::fromText(text, &record));
}

// A history file is read as far as it is sound; one that is no history of
// this version is neither read nor written.
void FormulaHistoryTest::historyFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("written");

    const QByteArray header = QFormulaHistory::header.toUtf8() + '\n';
    QTest::newRow("no file") << QByteArray() << QStringList() << true;
    QTest::newRow("two entries") << header + "[Поле для ввода|1+2]\t3\\n\n"
                                             "[Поле для ввода|[Дробь|1|2]]\t0.5\\n\n"
                                 << QStringList{"3\n", "0.5\n"} << true;
    QTest::newRow("damaged lines passed over") << header + "[Поле для ввода|1+2]\t3\n"
                                                           "garbage\n"
                                                           "[Поле для ввода|1+2\t3\n"
                                                           "[Поле для ввода|1]\n"
                                                           "\n"
                                                           "[Поле для ввода|4]\t\\t4\\\\\n"
                                               << QStringList{"3", "\t4\\"} << true;
    QTest::newRow("last line cut")
        << header + "[Поле для ввода|1+2]\t3\n[Поле для вв" << QStringList{"3"} << true;
    QTest::newRow("file of another kind")
        << QByteArray("my notes\n[Поле для ввода|1]\t1\n") << QStringList() << false;
    QTest::newRow("later version")
        << QByteArray("brisma history 2\n[Поле для ввода|1]\t1\n") << QStringList() << false;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe[|\t\n\x01", 9) << QStringList()
                                 << false;
}

void FormulaHistoryTest::historyFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, answers);
    QFETCH(bool, written);

    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("brisma.history"));
    if (!content.isEmpty())
        writeFile(name, content);
    QFormulaHistory history;
    history.load(name);
    QStringList read;
    for (int i = 0; i < history.count(); ++i)
        read.append(history.entry(i).answer);
    QCOMPARE(read, answers);

    const QFormulaRecord added = input(glyphs("7*[6]"));
    history.add(added, QStringLiteral("42\n"));
    if (!written) {
        QCOMPARE(readFile(name), content);
        return;
    }
    QFormulaHistory again;
    again.load(name);
    QCOMPARE(again.count(), answers.size() + 1);
    QVERIFY(again.entry(again.count() - 1).formula == added);
    QCOMPARE(again.entry(again.count() - 1).answer, QStringLiteral("42\n"));
}

// The history keeps its last 100 entries, in memory as in its file.
void FormulaHistoryTest::lastEntriesKept()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("brisma.history"));
    QByteArray content = QFormulaHistory::header.toUtf8() + '\n';
    for (int i = 0; i < 150; ++i)
        content += QStringLiteral("[Поле для ввода|%1]\t%1\n").arg(i).toUtf8();
    writeFile(name, content);
    QFormulaHistory history;
    history.load(name);
    QCOMPARE(history.count(), QFormulaHistory::kept);
    QCOMPARE(history.entry(0).answer, QStringLiteral("50"));
    history.add(input(glyphs("x")), QStringLiteral("x"));
    QCOMPARE(history.count(), QFormulaHistory::kept);
    QCOMPARE(history.entry(0).answer, QStringLiteral("51"));
    const QList<QByteArray> lines = readFile(name).split('\n');
    QCOMPARE(lines.size(), QFormulaHistory::kept + 2);
    QCOMPARE(lines.at(1), QStringLiteral("[Поле для ввода|51]\t51").toUtf8());
}

// A formula calculated comes back from the history as the same formula
// tree, editable, and Return calculates it again.
void FormulaHistoryTest::recall_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("line");

    QTest::newRow("typed text") << QStringList{"1+2"} << "1+2";
    QTest::newRow("fraction") << QStringList{"{Дробь}", "2", "{Up}", "1"} << "((1)/(2))";
    QTest::newRow("sine squared with its brackets")
        << QStringList{"{Синус}", "pi", "{/}", "6", "{Up}", "2"} << "pow(sin((pi/6)),2)";
    QTest::newRow("root of a power beside an absolute value")
        << QStringList{"{Корень}", "{Степень}", "3",        "{Up}", "2",
                       "{Right}",  "{Right}",   "{Модуль}", "-2"}
        << "pow(pow(3,2),1/(2))abs(-2)";
    QTest::newRow("factorial") << QStringList{"3+", "{Факториал}", "4"} << "3+factorial(4)";
    QTest::newRow("sine of a sum in brackets of its own")
        << QStringList{"{Синус}", "x+1"} << "pow(sin((x+1)),1)";
}

void FormulaHistoryTest::recall()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, line);

    FakeEngine engine;
    engine.answer("1\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    panel.play(steps);
    const QFormulaRecord built = QFormulaRecord::ofFormula(editedFormula(panel));
    const QList<bool> builtBrackets = ownBrackets(editedFormula(panel));
    QVERIFY(panel.driver.pressReturn());
    panel.driver.click(QStringLiteral("CE"));
    QTRY_COMPARE(historyView(panel)->entryCount(), 1);

    QTest::mouseClick(historyView(panel)->entryWidget(0), Qt::LeftButton);
    QVERIFY(QFormulaRecord::ofFormula(editedFormula(panel)) == built);
    QCOMPARE(editedLine(panel), line);
    QCOMPARE(ownBrackets(editedFormula(panel)), builtBrackets);
    QVERIFY(editedFormula(panel)->isAncestorOf(QApplication::focusWidget()));
    DisplayDriver::type(QStringLiteral("+1"));
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(engine.arguments(), QStringList({line, line + "+1"}));
}

// Ctrl+Up steps to older entries, Ctrl+Down to newer ones and at last back
// to the formula being edited; the entry shown is marked.
void FormulaHistoryTest::stepsThroughHistory()
{
    FakeEngine engine;
    engine.answer("1\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    for (const char *typed : {"1", "2", "3"}) {
        DisplayDriver::type(QString::fromLatin1(typed));
        QVERIFY(panel.driver.pressReturn());
        panel.driver.click(QStringLiteral("CE"));
    }
    DisplayDriver::type(QStringLiteral("4"));
    const auto ctrl = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    };
    QStringList seen;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down,
                        Qt::Key_Down, Qt::Key_Down}) {
        ctrl(key);
        seen.append(editedLine(panel));
    }
    QCOMPARE(seen, QStringList({"3", "2", "1", "1", "2", "3", "4", "4"}));
    ctrl(Qt::Key_Up);
    QCOMPARE(historyView(panel)->entryWidget(2)->property("current").toBool(), true);
    QCOMPARE(historyView(panel)->entryWidget(1)->property("current").toBool(), false);
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(engine.arguments().last(), QStringLiteral("3"));
    QCOMPARE(historyView(panel)->entryWidget(2)->property("current").toBool(), false);
}

// The history is kept beside the settings file and read by the next panel.
void FormulaHistoryTest::survivesRestart()
{
    FakeEngine engine;
    engine.answer("0.5\n");
    QTemporaryDir dir;
    {
        PanelFixture first(dir.path());
        QVERIFY(first.open());
        first.play({"{Дробь}", "2", "{Up}", "1"});
        QVERIFY(first.driver.pressReturn());
    }
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("brisma.history"))));
    PanelFixture second(dir.path());
    QVERIFY(second.open());
    QCOMPARE(historyView(second)->entryCount(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(editedLine(second), QStringLiteral("((1)/(2))"));
}

// Entries that name templates the catalogue does not have, or give one the
// wrong number of fields, are left out of the list.
void FormulaHistoryTest::unknownTemplatesLeftOut()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("brisma.history")),
              QFormulaHistory::header.toUtf8() + "\n[Поле для ввода|[Nothing|1]]\t1\n"
                                                 "[Поле для ввода|[Дробь|1]]\t2\n"
                                                 "[Поле для ввода|[Дробь|1|[Корень||5]]]\t3\n"
                                                 "[Другое поле|1]\t4\n");
    PanelFixture panel(dir.path());
    QVERIFY(panel.open());
    QCOMPARE(historyView(panel)->entryCount(), 1);
    QTest::mouseClick(historyView(panel)->entryWidget(0), Qt::LeftButton);
    QCOMPARE(editedLine(panel), QStringLiteral("((1)/(pow(5,1/(2))))"));
}

// "Clear history" asks first; confirmed, it empties the list and the file,
// cancelled, it keeps both.
void FormulaHistoryTest::clearHistory_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void FormulaHistoryTest::clearHistory()
{
    QFETCH(bool, confirmed);

    FakeEngine engine;
    engine.answer("3\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(historyView(panel)->entryCount(), 1);
    const QByteArray kept = readFile(panel.historyFile());
    auto *clear = historyView(panel)->findChild<QPushButton *>();
    QCOMPARE(clear->text(), QStringLiteral("Clear history"));
    QTest::mouseClick(clear, Qt::LeftButton);
    QMessageBox *question = nullptr;
    QTRY_VERIFY((question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())));
    QCOMPARE(historyView(panel)->entryCount(), 1);
    QTest::mouseClick(question->button(confirmed ? QMessageBox::Yes : QMessageBox::Cancel),
                      Qt::LeftButton);
    QCOMPARE(historyView(panel)->entryCount(), confirmed ? 0 : 1);
    QCOMPARE(readFile(panel.historyFile()),
             confirmed ? QFormulaHistory::header.toUtf8() + '\n' : kept);
    if (confirmed) {
        panel.display()->activateWindow();
        QTRY_VERIFY(panel.panel->isActiveWindow());
        panel.panel->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(editedLine(panel), QStringLiteral("1+2"));
    }
}

void FormulaHistoryTest::buildsOnlyEntriesInView_data()
{
    QTest::addColumn<int>("scrolledTo");

    QTest::newRow("newest at start") << -1;
    QTest::newRow("scrolled to the oldest") << 0;
    QTest::newRow("scrolled to the middle") << 50;
}

// A full history builds the formulas of the entries in view only: the
// newest at start, more as the list is scrolled, none it never showed; an
// entry is recalled by a click whether built at start or later.
void FormulaHistoryTest::buildsOnlyEntriesInView()
{
    QFETCH(int, scrolledTo);

    QTemporaryDir dir;
    writeFullHistory(dir.filePath(QStringLiteral("brisma.history")), QFormulaHistory::kept);
    PanelFixture panel(dir.path());
    QVERIFY(panel.open());
    QFormulaHistoryView *view = historyView(panel);
    QCOMPARE(view->entryCount(), QFormulaHistory::kept);
    QTRY_VERIFY(isBuilt(view, view->entryCount() - 1));
    // The entries not built take the height of those built, and the list
    // stays at its end.
    QTRY_COMPARE(view->entryWidget(0)->height(),
                 view->entryWidget(view->entryCount() - 1)->height());
    const QScrollBar *scrollBar = view->findChild<QScrollArea *>()->verticalScrollBar();
    QTRY_COMPARE(scrollBar->value(), scrollBar->maximum());
    QTRY_COMPARE(builtEntries(view), entriesInView(view));
    const QSet<int> shownAtStart = entriesInView(view);
    QVERIFY(shownAtStart.size() < view->entryCount() / 4);

    if (scrolledTo >= 0) {
        view->findChild<QScrollArea *>()->ensureWidgetVisible(view->entryWidget(scrolledTo));
        QTRY_VERIFY(isBuilt(view, scrolledTo));
        QTRY_COMPARE(builtEntries(view), shownAtStart + entriesInView(view));
    }
    const int clicked = scrolledTo < 0 ? view->entryCount() - 1 : scrolledTo;
    QTest::mouseClick(view->entryWidget(clicked), Qt::LeftButton);
    QCOMPARE(editedLine(panel), QStringLiteral("((%1)/(2))").arg(clicked));
}

// An answer wider than the list is drawn to the list's edge, ending in
// "…", in the font the style sheet gives it; its tool tip holds it whole.
void FormulaHistoryTest::longAnswerEndsInEllipsis()
{
    const QString answer = QStringLiteral("1234567890").repeated(8);
    FakeEngine engine;
    engine.answer((answer + "\n").toLatin1());
    PanelFixture panel;
    QVERIFY(panel.open());
    // an answer font wider than the list's own, as the shipped style has
    panel.panel->setStyleSheet(QStringLiteral("QLabel#answer { font: bold 16pt; }"));
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(panel.driver.pressReturn());
    QTRY_COMPARE(historyView(panel)->entryCount(), 1);
    QElidedLabel *label = nullptr;
    QTRY_VERIFY((label = historyView(panel)->entryWidget(0)->findChild<QElidedLabel *>("answer")));
    QCOMPARE(label->toolTip(), answer);
    const QWidget *viewport = historyView(panel)->findChild<QScrollArea *>()->viewport();
    QTRY_VERIFY(label->mapTo(viewport, label->contentsRect().topRight()).x() < viewport->width());
    QVERIFY(label->drawnText().endsWith(QChar(0x2026)));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->drawnText()) <=
            label->contentsRect().width());
}

// A click on an entry keeps the draft, as Ctrl+Up does; Ctrl+Down past the
// newest entry brings it back.
void FormulaHistoryTest::clickKeepsDraft()
{
    FakeEngine engine;
    engine.answer("1\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    for (const char *typed : {"1", "2"}) {
        DisplayDriver::type(QString::fromLatin1(typed));
        QVERIFY(panel.driver.pressReturn());
        panel.driver.click(QStringLiteral("CE"));
    }
    DisplayDriver::type(QStringLiteral("4"));
    QTRY_COMPARE(historyView(panel)->entryCount(), 2);
    QTest::mouseClick(historyView(panel)->entryWidget(0), Qt::LeftButton);
    QCOMPARE(panel.editedLine(), QStringLiteral("1"));
    QStringList seen;
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ControlModifier);
        seen.append(panel.editedLine());
    }
    QCOMPARE(seen, QStringList({"2", "4"}));
}

// A recall is one step of the editor's undo: Ctrl+Z brings back the formula
// it replaced, Ctrl+Y the recalled one.
void FormulaHistoryTest::recallUndone()
{
    FakeEngine engine;
    engine.answer("1\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(panel.driver.pressReturn());
    panel.driver.click(QStringLiteral("CE"));
    DisplayDriver::type(QStringLiteral("4+5"));
    QTRY_COMPARE(historyView(panel)->entryCount(), 1);
    QTest::mouseClick(historyView(panel)->entryWidget(0), Qt::LeftButton);
    QCOMPARE(panel.editedLine(), QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(panel.editedLine(), QStringLiteral("4+5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(panel.editedLine(), QStringLiteral("1"));
}

// A history file that is another program's is left alone, and the list
// says once that this session's entries are not kept.
void FormulaHistoryTest::foreignFileNotKept()
{
    QTemporaryDir settings;
    const QString file = settings.filePath(QStringLiteral("brisma.history"));
    writeFile(file, "notes of another program\n");
    FakeEngine engine;
    engine.answer("3\n");
    PanelFixture panel(settings.path());
    QVERIFY(panel.open());
    const auto notices =
        historyView(panel)->findChildren<QLabel *>(QStringLiteral("historyNotice"));
    QCOMPARE(notices.size(), 1);
    QVERIFY(!notices.first()->isVisible());
    for (int i = 0; i < 2; ++i) {
        DisplayDriver::type(QStringLiteral("1+2"));
        QVERIFY(panel.driver.pressReturn());
        QVERIFY(notices.first()->isVisible());
    }
    QVERIFY(notices.first()->text().contains(QStringLiteral("not kept")));
    QCOMPARE(readFile(file), QByteArray("notes of another program\n"));
}

// The list never scrolls sideways: a formula and an answer wider than the
// list end in "…" at its edge, also while the vertical scroll bar shows.
void FormulaHistoryTest::listNeverScrollsSideways_data()
{
    QTest::addColumn<int>("entries");
    QTest::newRow("one entry") << 1;
    QTest::newRow("enough entries to scroll down") << 12;
}

void FormulaHistoryTest::listNeverScrollsSideways()
{
    QFETCH(int, entries);

    FakeEngine engine;
    engine.answer("2.0000000000000000000000000000000000000000001\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    for (int i = 0; i < entries; ++i) {
        DisplayDriver::type(QStringLiteral("123456789+123456789+123456789+123456789"));
        QVERIFY(panel.driver.pressReturn());
        panel.driver.click(QStringLiteral("CE"));
    }
    QTRY_COMPARE(historyView(panel)->entryCount(), entries);
    auto *area = historyView(panel)->findChild<QScrollArea *>();
    QTRY_COMPARE(area->verticalScrollBar()->isVisible(), entries > 1);
    QWidget *last = historyView(panel)->entryWidget(entries - 1);
    QElidedLabel *label = nullptr;
    QTRY_VERIFY((label = last->findChild<QElidedLabel *>(QStringLiteral("answer"))));
    auto *formula = last->findChild<QElidedFormula *>();
    QVERIFY(formula);
    QTRY_VERIFY(formula->isElided());
    QVERIFY(label->drawnText().endsWith(QChar(0x2026)));
    const QWidget *viewport = area->viewport();
    for (const QWidget *cut :
         {static_cast<const QWidget *>(label), static_cast<const QWidget *>(formula)})
        QVERIFY(cut->mapTo(viewport, QPoint(cut->width(), 0)).x() <= viewport->width());
    QCOMPARE(area->horizontalScrollBar()->isVisible(), false);
    QTest::mouseClick(last, Qt::LeftButton);
    QCOMPARE(area->horizontalScrollBar()->value(), 0);
    QVERIFY(area->widget()->width() <= viewport->width());
}

QTEST_MAIN(FormulaHistoryTest)
#include "tst_qformulahistory.moc"
