#ifndef NORMALIZATIONPASS_H
#define NORMALIZATIONPASS_H

#include <QString>

// Pass 1 of the script processor: implicit multiplication, then lower case
// and no blanks outside string literals.
namespace NormalizationPass
{

void apply(QString &statement);

} // namespace NormalizationPass

#endif
