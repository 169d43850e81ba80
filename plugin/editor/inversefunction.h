#ifndef INVERSEFUNCTION_H
#define INVERSEFUNCTION_H

#include <QHash>
#include <QString>

// The name of the inverse of a function of the engine's library, as print
// writes sin⁻¹ for arcsin, or nothing for a function without one there.
inline QString inverseFunction(const QString &name)
{
    static const QHash<QString, QString> inverses = [] {
        const QList<QPair<QString, QString>> pairs{
            {"sin", "arcsin"}, {"cos", "arccos"}, {"tg", "arctg"},   {"ctg", "arcctg"},
            {"sh", "arsh"},    {"ch", "arch"},    {"th", "arth"},    {"cth", "arcth"},
            {"tan", "atan"},   {"sinh", "asinh"}, {"cosh", "acosh"}, {"tanh", "atanh"}};
        QHash<QString, QString> both;
        for (const auto &pair : pairs) {
            both.insert(pair.first, pair.second);
            both.insert(pair.second, pair.first);
        }
        return both;
    }();
    return inverses.value(name);
}

#endif
