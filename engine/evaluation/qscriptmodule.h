#ifndef QSCRIPTMODULE_H
#define QSCRIPTMODULE_H

#include <QList>
#include <QString>
#include <QStringList>

class QScriptProcessor;

// One file of the script library, "scripts/<name>.js". Its "#use " lines name
// the modules it needs; its first "var " or "function " line tells whether
// the name is a variable or a function.
class QScriptModule
{
public:
    enum Kind { FunctionModule = 0, VariableModule = 1, UntypedModule = 2 };

    QScriptModule(const QString &name, QScriptProcessor *processor);

    // null entries stand for modules that were still loading (a cycle)
    QList<QScriptModule *> dependencies;
    // the names of the "#use " lines, those of the null entries too
    QStringList usedNames;
    int kind = UntypedModule;
    QString code;
    QString fileName;

private:
    void parse(const QString &text, QScriptProcessor *processor);
    void refuse();
};

#endif
