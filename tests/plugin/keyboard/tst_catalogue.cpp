#include "cataloguetarget.h"
#include "qformula.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"
#include "qscreenkeygroup.h"

#include <QBuffer>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace
{

// A keyboard filled from a catalogue; the provider goes first, as it must,
// because it owns the templates that sit inside the key buttons.
struct LoadedKeyboard {
    explicit LoadedKeyboard(const QString &settingsFile = QString())
    {
        keyboard->settingsFile = settingsFile;
    }
    ~LoadedKeyboard() { provider.reset(); }

    int load(QIODevice *device) { return provider->load(device, keyboard.get()); }
    int loadShipped()
    {
        QFile catalogue(QStringLiteral(":brisma/data/formulaItems.xml"));
        return load(&catalogue);
    }

    std::unique_ptr<QFormulaKeyboard> keyboard = std::make_unique<QFormulaKeyboard>();
    std::unique_ptr<QFormulaProvider> provider = std::make_unique<QFormulaProvider>();
};

QPoint keyCell(QPushButton *key)
{
    auto *grid = qobject_cast<QGridLayout *>(key->parentWidget()->layout()->itemAt(0)->layout());
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(key), &row, &column, &rowSpan, &columnSpan);
    return QPoint(column, row);
}

QImage comparable(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shippedItems_data();
    void shippedItems();
    void groupVisibility();
    void brokenCatalogues_data();
    void brokenCatalogues();
    void fuzzCorpus_data();
    void fuzzCorpus();
};

void CatalogueTest::initTestCase()
{
    Q_INIT_RESOURCE(brismadata);
    qRegisterMetaType<QFormula *>();
}

void CatalogueTest::shippedItems_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("group");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QRect>("face");
    QTest::addColumn<QString>("line");

    int index = 0;
    auto row = [&index](const QString &name, int group, QPoint cell, QRect face,
                        const QString &line) {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(index).arg(name)))
            << index << name << group << cell << face << line;
        ++index;
    };
    const int rowY[] = {1, 41, 81, 121};
    auto faceAt = [&rowY](int x, int width, int keyRow) {
        return QRect(x, rowY[keyRow], width, 39);
    };

    row(QStringLiteral("Поле для ввода"), -1, QPoint(), QRect(), QString());
    const char *trig[] = {"sin", "cos", "tg", "ctg", "arcsin", "arccos", "arctg", "arcctg"};
    const char *trigNames[] = {"Синус",    "Косинус",    "Тангенс",    "Котангенс",
                               "Арксинус", "Арккосинус", "Арктангенс", "Арккотангенс"};
    for (int k = 0; k < 8; ++k)
        row(QString::fromUtf8(trigNames[k]), 0, QPoint(k / 4, k % 4),
            k < 4 ? faceAt(4, 89, k % 4) : faceAt(105, 95, k % 4),
            QStringLiteral("pow(%1(),1)").arg(QLatin1String(trig[k])));
    row(QStringLiteral("Степень"), 1, QPoint(0, 0), faceAt(217, 58, 0), QStringLiteral("pow(,)"));
    row(QStringLiteral("Корень"), 1, QPoint(0, 1), faceAt(217, 58, 1),
        QStringLiteral("pow(,1/(2))"));
    row(QStringLiteral("Модуль"), 1, QPoint(0, 2), faceAt(217, 58, 2), QStringLiteral("abs()"));
    row(QStringLiteral("Указание системы счисления"), 1, QPoint(0, 3), faceAt(217, 58, 3),
        QStringLiteral("()_10"));
    row(QStringLiteral("Логарифм"), 1, QPoint(1, 0), faceAt(294, 81, 0),
        QStringLiteral("log(,10)"));
    row(QStringLiteral("Натуральный логарифм"), 1, QPoint(1, 1), faceAt(294, 81, 1),
        QStringLiteral("(log()/log(e))"));
    row(QStringLiteral("Экспонента"), 1, QPoint(1, 2), faceAt(294, 81, 2), QStringLiteral("exp()"));
    row(QStringLiteral("Факториал"), 1, QPoint(1, 3), faceAt(294, 81, 3),
        QStringLiteral("factorial()"));
    row(QStringLiteral("Дробь"), 2, QPoint(0, 0), faceAt(383, 46, 0), QStringLiteral("(()/())"));
    row(QStringLiteral("Дробь с целой частью"), 2, QPoint(0, 1), QRect(383, 42, 46, 39),
        QStringLiteral("(()+(()<0?-():())/())"));
    row(QStringLiteral("Открывающая скобка"), 2, QPoint(0, 2), faceAt(383, 46, 2), QString());
    row(QStringLiteral("Закрывающая скобка"), 2, QPoint(0, 3), faceAt(383, 46, 3), QString());
    const QStringList constants = {QStringLiteral("Пи"), QStringLiteral("Фи"), QStringLiteral("e"),
                                   QStringLiteral("Икс (переменная)")};
    for (int k = 0; k < 4; ++k)
        row(constants.at(k), 3, QPoint(0, k), faceAt(435, 39, k), QString());
    const QStringList boolean = {QStringLiteral("Исключение (ИЛИ)"),
                                 QStringLiteral("Сдвиг влево"),
                                 QStringLiteral("1"),
                                 QStringLiteral("0"),
                                 QStringLiteral("Дизъюнкция (ИЛИ)"),
                                 QStringLiteral("Сдвиг вправо"),
                                 QStringLiteral("Конъюкция (И)"),
                                 QStringLiteral("Отрицание")};
    for (int k = 0; k < 8; ++k)
        row(boolean.at(k), 4, QPoint(k / 4, k % 4), faceAt(475 + 40 * (k / 4), 39, k % 4),
            k == 0 ? QStringLiteral("xor(0,0)") : QString());
    const QString pad = QStringLiteral("7410852.963+%*/-");
    for (int k = 0; k < 16; ++k)
        row(pad.mid(k, 1), 5, QPoint(k / 4, k % 4), faceAt(555 + 40 * (k / 4), 39, k % 4),
            QString());
    const QString hex = QStringLiteral("ACEBDF");
    for (int k = 0; k < 6; ++k)
        row(hex.mid(k, 1), 6, QPoint(k / 3, k % 3), faceAt(715 + 40 * (k / 3), 39, k % 3),
            QString());
}

// Every item of the shipped catalogue, the ones that follow attributes
// written without white space included, gives its template, its key in its
// cell with its face cut from the palette, and its line with default values.
void CatalogueTest::shippedItems()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, group);
    QFETCH(QPoint, cell);
    QFETCH(QRect, face);
    QFETCH(QString, line);

    LoadedKeyboard loaded;
    QCOMPARE(loaded.loadShipped(), 55);
    QCOMPARE(loaded.keyboard->groupCount(), 7);
    QCOMPARE(loaded.keyboard->findChildren<QPushButton *>(QRegularExpression("^key - ")).size(),
             54);
    const QFormula *templ = loaded.provider->formulaTemplate(index);
    QCOMPARE(templ->objectName(), name);
    std::unique_ptr<QFormula> copy(loaded.provider->createFormula(index));
    QCOMPARE(copy->toLine(), line);

    auto *key = qobject_cast<QPushButton *>(templ->parentWidget());
    if (group < 0) {
        QVERIFY(!key);
        return;
    }
    QVERIFY(key);
    QVERIFY(templ->isHidden());
    QCOMPARE(key->children().value(0), templ);
    QCOMPARE(key->objectName(), QStringLiteral("key - ") + name);
    QCOMPARE(key->parentWidget(), loaded.keyboard->group(group));
    QCOMPARE(keyCell(key), cell);
    QCOMPARE(key->size(), face.size());
    const QPixmap palette(QStringLiteral(":brisma/data/formulaPalette.png"));
    QCOMPARE(comparable(key->icon().pixmap(key->iconSize())), comparable(palette.copy(face)));

    QSignalSpy clicks(loaded.keyboard.get(), &QFormulaKeyboard::keyClicked);
    key->click();
    QCOMPARE(clicks.value(0).value(0).value<QFormula *>(), templ);
}

// The recorded visibility follows the user's hides and shows, survives
// hiding the whole keyboard, and goes to the settings file when the keyboard
// is destroyed; the menu and the "..." button always agree with the screen.
void CatalogueTest::groupVisibility()
{
    QTemporaryDir dir;
    const QString settingsFile = dir.filePath(QStringLiteral("panel.ini"));
    // One character per group: 1 when it is shown, recorded as shown and
    // checked in the menu, 0 when none of these, x when they disagree; then
    // " ..." while the menu button is there.
    auto shown = [](const LoadedKeyboard &loaded) {
        QString flags;
        for (int g = 0; g < loaded.keyboard->groupCount(); ++g) {
            const QScreenKeyGroup *group = loaded.keyboard->group(g);
            const bool checked = loaded.keyboard->menu()->actions().at(g + 2)->isChecked();
            const bool agree =
                checked == group->isGroupVisible() && group->isVisible() == group->isGroupVisible();
            flags += !agree ? QLatin1Char('x') : checked ? QLatin1Char('1') : QLatin1Char('0');
        }
        return loaded.keyboard->menuButtonWidget()->isVisible() ? flags + QStringLiteral(" ...")
                                                                : flags;
    };
    {
        LoadedKeyboard loaded(settingsFile);
        loaded.loadShipped();
        QCOMPARE(loaded.keyboard->menu()->actions().at(1)->isSeparator(), true);
        loaded.keyboard->show();
        QCOMPARE(shown(loaded), QStringLiteral("1110010"));
        // A key does not handle the context menu: the keyboard opens its menu.
        auto *key = loaded.keyboard->findChild<QPushButton *>(QStringLiteral("key - 7"));
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(30, 40));
        QApplication::sendEvent(key, &rightClick);
        QTRY_VERIFY(loaded.keyboard->menu()->isVisible());
        loaded.keyboard->menu()->hide();
        for (int g : {0, 1, 2, 5})
            loaded.keyboard->group(g)->headerButton()->click();
        QCOMPARE(shown(loaded), QStringLiteral("0000000 ..."));
        loaded.keyboard->menu()->actions().at(2 + 4)->trigger();
        QCOMPARE(shown(loaded), QStringLiteral("0000100"));
        loaded.keyboard->hide();
        loaded.keyboard->show();
        QCOMPARE(shown(loaded), QStringLiteral("0000100"));
        loaded.keyboard->menu()->actions().at(0)->trigger();
        QCOMPARE(shown(loaded), QStringLiteral("1110010"));
        loaded.keyboard->group(1)->headerButton()->click();
        loaded.keyboard->menu()->actions().at(2 + 6)->trigger();
        loaded.keyboard->hide();
    }
    QSettings stored(settingsFile, QSettings::IniFormat);
    QCOMPARE(stored.allKeys().size(), 7);
    QCOMPARE(stored.value(QStringLiteral("brisma/group1visible")).toBool(), false);
    stored.setValue(QStringLiteral("brisma/group0visible"), QStringLiteral("0"));
    stored.setValue(QStringLiteral("brisma/group3visible"), QStringLiteral("yes"));
    stored.sync();

    LoadedKeyboard reloaded(settingsFile);
    reloaded.loadShipped();
    reloaded.keyboard->show();
    QCOMPARE(shown(reloaded), QStringLiteral("0011011"));
}

void CatalogueTest::brokenCatalogues_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("templates");
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("keys");
    QTest::addColumn<QString>("message");

    const QByteArray root = "<formulaitems palette=\":brisma/data/formulaPalette.png\">";
    const QByteArray group = "<group num=\"3\" name=\"G\" showDefault=\"1\"/>";
    const QByteArray item = "<item group=\"0\" paletteW=\"39\" paletteH=\"39\" appendText=\"7\">";
    const QString loadError = QStringLiteral("\"brisma: Error while loading formula data\"");
    QTest::newRow("only groups") << root + group + group + "</formulaitems>" << 0 << 2 << 0
                                 << loadError;
    QTest::newRow("not xml") << QByteArray("1+2") << 0 << 0 << 0 << loadError;
    QTest::newRow("xml error after an item")
        << root + group + item + "</item><item" << 1 << 1 << 1 << QString();
    QTest::newRow("field and line before any item")
        << root + group + "<field row=\"0\" column=\"0\"/><line relativeCoords=\"0 0 1 1\"/>" +
               item + "</item></formulaitems>"
        << 1 << 1 << 1 << QString();
    QTest::newRow("group index past the declared groups")
        << root + group + "<item group=\"1\"/><item group=\"7\"/></formulaitems>" << 2 << 1 << 0
        << QString();
    QTest::newRow("line with three numbers")
        << root + group + item + "<line relativeCoords=\"0 0.5 1\"/></item></formulaitems>" << 1
        << 1 << 1 << QString();
    QTest::newRow("item without a palette")
        << QByteArray("<x>") + group + item + "</item></x>" << 1 << 1 << 0 << QString();
    QTest::newRow("cells and faces far outside")
        << root + group +
               "<item group=\"0\" keybX=\"2000000000\" paletteX=\"-5\" paletteW=\"2000000000\"/>"
               "<item group=\"0\" paletteY=\"-2000000000\" paletteH=\"2000000000\">"
               "<field row=\"2000000000\" column=\"-1\"/>"
               "<line relativeCoords=\"0 0 1 1\" row=\"-3\" column=\"99999999\"/>"
               "</item></formulaitems>"
        << 2 << 1 << 1 << QString();
}

// Catalogue errors neither crash nor reach outside the data: the element is
// skipped, or its key left out.
void CatalogueTest::brokenCatalogues()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, templates);
    QFETCH(int, groups);
    QFETCH(int, keys);
    QFETCH(QString, message);

    if (!message.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, qPrintable(message));
    QBuffer buffer(&xml);
    LoadedKeyboard loaded;
    QCOMPARE(loaded.load(&buffer), templates);
    QCOMPARE(loaded.keyboard->groupCount(), groups);
    QCOMPARE(loaded.keyboard->findChildren<QPushButton *>(QRegularExpression("^key - ")).size(),
             keys);
    for (int k = 0; k < templates; ++k)
        QCOMPARE(loaded.provider->formulaTemplate(k)->fieldCount(), 0);

    QTest::ignoreMessage(QtCriticalMsg, "\"brisma: Error opening formula data file\"");
    QFile missing(QStringLiteral(":brisma/data/missing.xml"));
    QCOMPARE(QFormulaProvider().load(&missing, loaded.keyboard.get()), 0);
}

void CatalogueTest::fuzzCorpus_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &kind : {QStringLiteral("seeds"), QStringLiteral("findings")}) {
        const QDir dir(QStringLiteral(FUZZ_DIR "/%1/catalogue").arg(kind));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(kind + QLatin1Char(' ') + name)) << dir.filePath(name);
    }
}

// The catalogue fuzzer's seeds and findings, through the fuzzer's own code.
void CatalogueTest::fuzzCorpus()
{
    QFETCH(QString, file);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray bytes = input.readAll();
    QCOMPARE(CatalogueTarget::run(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                  size_t(bytes.size())),
             0);
}

QTEST_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
