#include "qscriptmodule.h"

#include "qcstringcodec.h"
#include "qdatafile.h"
#include "qfilelayout.h"
#include "qscriptprocessor.h"

#include <QFile>

QScriptModule::QScriptModule(const QString &name, QScriptProcessor *processor)
    : fileName(QStringLiteral("scripts/") + name + QStringLiteral(".js"))
{
    // only a regular file is read, and only so much of it: a FIFO or a link
    // to a device reads as a missing module
    QFile file(QFileLayout::locate(fileName));
    if (processor->mayHaveModuleFile(name) &&
        QDataFile::open(file, QIODevice::ReadOnly | QIODevice::Text))
        parse(QCStringCodec::toUnicode(QDataFile::readAll(file)), processor);
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
