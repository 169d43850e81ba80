#ifndef TRANSLATIONPASS_H
#define TRANSLATIONPASS_H

#include <QString>

// Pass 2 of the script processor: comments, block heads, definitions,
// assignments and answers.
namespace TranslationPass
{

void apply(QString &statement);

// A statement that throws an error with the message when the program runs.
QString throwStatement(const QString &message);

} // namespace TranslationPass

#endif
