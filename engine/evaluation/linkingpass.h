#ifndef LINKINGPASS_H
#define LINKINGPASS_H

#include <QMap>
#include <QStringList>

class QScriptModule;

// Pass 4 of the script processor: the candidate module names of a statement,
// and the statement adapted to the kind of a module it names.
namespace LinkingPass
{

// The distinct runs of letters of a text, lower-cased, in order.
QStringList words(const QString &text);

// A function module's name becomes a call, a variable module's name
// directly followed by a bracket is multiplied with it; kind is a
// QScriptModule::Kind. Only whole names outside string literals count:
// neither the pi of spin nor that of "pi" is the module pi.
void adapt(QString &statement, const QString &name, int kind);

// The names of the modules in the order of their code in the program: each
// module after the modules it uses, in name order among the rest; where
// uses form a cycle, its first module by name goes first, and the modules
// that wait for the cycle come after all of it.
QStringList moduleOrder(const QMap<QString, QScriptModule *> &modules);

// The code of the modules, in that order, for the front of the program.
QString programPrefix(const QMap<QString, QScriptModule *> &modules);

} // namespace LinkingPass

#endif
