#include "loadedplugin.h"
#include "toveltree.h"

#include <QLocale>
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
    void engineErrorInAnswerLine();
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
    QVERIFY(window.driver.label(QStringLiteral("Brisma")));
    QVERIFY(window.driver.button(QStringLiteral("=")));
    QVERIFY(window.driver.button(QStringLiteral("CE")));
    QCOMPARE(window.driver.button(QStringLiteral("="))->toolTip(),
             expected("Calculate (Return)", "Вычислить (Return)"));
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

QTEST_MAIN(TranslationTest)
#include "tst_translation.moc"
