// The smallest Qt 5 program that does what one engine run does: it creates
// the core application and one script engine, evaluates the expression given
// as its argument and prints the value.

#include <QCoreApplication>
#include <QScriptEngine>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QScriptEngine engine;
    const QString expression = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QByteArray value = engine.evaluate(expression).toString().toLocal8Bit();
    std::printf("%s\n", value.constData());
    return 0;
}
