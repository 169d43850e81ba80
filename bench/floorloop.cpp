// The floor of the interactive mode: one core application, then one fresh
// script engine for each line of standard input, which evaluates the line
// and prints its value.

#include <QCoreApplication>
#include <QScriptEngine>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    std::string line;
    while (std::getline(std::cin, line)) {
        QScriptEngine engine;
        const QString expression = QString::fromLocal8Bit(line.data(), int(line.size()));
        const QByteArray value = engine.evaluate(expression).toString().toLocal8Bit();
        std::printf("%s\n", value.constData());
    }
    return 0;
}
