#include "qscriptmodule.h"

#include "qcstringcodec.h"
#include "qscriptprocessor.h"

#include <QFile>

QScriptModule::QScriptModule(const QString &name, QScriptProcessor *processor)
    : fileName(QStringLiteral("scripts/") + name + QStringLiteral(".js"))
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        parse(QCStringCodec::toUnicode(file.readAll()), processor);
}

void QScriptModule::parse(const QString &text, QScriptProcessor *processor)
{
    const QString use = QStringLiteral("#use ");
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(use)) {
            dependencies << processor->module(line.mid(use.size()));
            continue;
        }
        code += line + QLatin1Char('\n');
        if (kind != UntypedModule)
            continue;
        if (line.startsWith(QLatin1String("var ")))
            kind = VariableModule;
        else if (line.startsWith(QLatin1String("function ")))
            kind = FunctionModule;
    }
}
