#ifndef LINKINGPASS_H
#define LINKINGPASS_H

#include <QStringList>

// Pass 4 of the script processor: the candidate module names of a statement,
// and the statement adapted to the kind of a module it names.
namespace LinkingPass
{

// The distinct runs of letters of a text, lower-cased, in order.
QStringList words(const QString &text);

// A function module's name becomes a call, a variable module's name
// directly followed by a bracket is multiplied with it; kind is a
// QScriptModule::Kind.
void adapt(QString &statement, const QString &name, int kind);

} // namespace LinkingPass

#endif
