#include "qscriptmodule.h"

#include "qcstringcodec.h"
#include "qdatafile.h"
#include "qfilelayout.h"
#include "qscriptprocessor.h"
#include "translationpass.h"

#include <QCoreApplication>
#include <QFile>

QScriptModule::QScriptModule(const QString &name, QScriptProcessor *processor)
    : fileName(QStringLiteral("scripts/") + name + QStringLiteral(".js"))
{
    // only a regular file is read: a FIFO or a link to a device reads as a
    // missing module
    QFile file(QFileLayout::locate(fileName));
    if (!processor->mayHaveModuleFile(name) ||
        !QDataFile::open(file, QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QByteArray text = QDataFile::readAll(file);
    if (file.atEnd())
        parse(QCStringCodec::toUnicode(text), processor);
    else
        refuse();
}

// A module longer than a data file is read is never run in part: its code
// throws an error that names it, so the line fails with that error.
void QScriptModule::refuse()
{
    code = TranslationPass::throwStatement(
        QCoreApplication::translate("QScriptProcessor", "The script file %1 is over %2 bytes")
            .arg(fileName, QString::number(QDataFile::readLimit)));
    code += QLatin1Char('\n');
}

void QScriptModule::parse(const QString &text, QScriptProcessor *processor)
{
    const QString use = QStringLiteral("#use ");
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(use)) {
            usedNames << line.mid(use.size());
            dependencies << processor->module(usedNames.last());
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
