// Measures the panel of the built plug-in, with a full history of 100
// two-dimensional formulas beside its settings: the time to load the plug-in
// and create a panel, and, in pairs, the time from "=" to the answer shown
// against the time from starting tovel alone on the same expression to its
// answer, both through the toolkit's process runner in this one process.
// Prints "load_s panel_s alone_s", the two latter as medians of the pairs.
// Usage: panelbench PLUGIN EXPRESSION PAIRS (tovel is found on PATH)

#include "qplugininterface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPluginLoader>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace
{

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QWidget *inputField(QWidget *panel)
{
    for (QWidget *widget : panel->findChildren<QWidget *>()) {
        if (qstrcmp(widget->metaObject()->className(), "QFormulaField") == 0 && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// Seconds from start() until signal of sender fires.
template <typename Sender, typename Signal>
double secondsUntil(const Sender *sender, Signal signal, const std::function<void()> &start)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    start();
    loop.exec();
    return timer.nsecsElapsed() / 1e9;
}

// A history as full as the panel keeps it: fractions, roots, powers and
// absolute values, each with its answer.
bool writeHistory(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("brisma history 1\n");
    for (int i = 0; i < 100; ++i)
        file.write(QStringLiteral("[Поле для ввода|%1+[Дробь|[Корень||[Степень|2|3]]|4][Модуль|-2]]"
                                  "\t%2\\n\n")
                       .arg(i)
                       .arg(i + 1.5)
                       .toUtf8());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    if (argc != 4) {
        std::fprintf(stderr, "usage: panelbench PLUGIN EXPRESSION PAIRS\n");
        return 2;
    }
    const QString expression = QString::fromLocal8Bit(argv[2]);
    const int pairs = std::atoi(argv[3]);
    QTemporaryDir settings;
    if (!writeHistory(settings.filePath(QStringLiteral("panel.history")))) {
        std::fprintf(stderr, "panelbench: cannot write the history\n");
        return 1;
    }

    QElapsedTimer loading;
    loading.start();
    QPluginLoader loader(QString::fromLocal8Bit(argv[1]));
    auto *plugin = qobject_cast<QPluginInterface *>(loader.instance());
    if (!plugin) {
        std::fprintf(stderr, "panelbench: %s\n", qPrintable(loader.errorString()));
        return 1;
    }
    QWidget *panel = plugin->createWidget(settings.filePath(QStringLiteral("panel.ini")));
    const double load = loading.nsecsElapsed() / 1e9;

    panel->show();
    QTest::keyClicks(inputField(panel), expression);
    auto *answer = panel->findChild<QLineEdit *>();
    QPushButton *solve = nullptr;
    for (QPushButton *button : panel->findChildren<QPushButton *>())
        if (button->text() == QLatin1String("="))
            solve = button;
    auto *engine = panel->findChild<QProcess *>();

    std::vector<double> shown;
    std::vector<double> alone;
    for (int k = 0; k < pairs; ++k) {
        QProcess tovel;
        alone.push_back(secondsUntil(&tovel, &QProcess::readyReadStandardOutput,
                                     [&] { tovel.start(QStringLiteral("tovel"), {expression}); }));
        tovel.waitForFinished();
        answer->clear();
        shown.push_back(secondsUntil(answer, &QLineEdit::textChanged, [solve] { solve->click(); }));
        engine->waitForFinished();
    }
    std::printf("%.6f %.6f %.6f\n", load, median(shown), median(alone));
    delete panel;
    return 0;
}
