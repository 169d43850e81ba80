#ifndef QFILELAYOUT_H
#define QFILELAYOUT_H

#include <QString>
#include <QStringList>

// Where the engine finds the files it ships and keeps the files it writes.
//
// A portable tree (the build tree, or an install to a prefix of one's own)
// has scripts/ and tovel_operators.conf in the parent of bin/: that parent
// is the working directory, where the engine reads and writes everything.
// A system install has no scripts/ there but bin/../share/tovel, which is
// no user's to write, and whose cache, were it shared, would let one user
// put code into another's calculations: the working directory is then the
// user's own $XDG_DATA_HOME/tovel (~/.local/share/tovel), made with mode
// 0700, which takes the log and the cache; the user's own scripts/ and
// tovel_operators.conf there come first, and the shipped files fill in. A
// portable tree that the user may not write is used the same way.
class QFileLayout
{
public:
    // Decides the layout for the program in programDirectory (its bin/)
    // and makes the working directory current.
    static void apply(const QString &programDirectory);
    // The directories that a relative name is looked up in, in order: the
    // working directory, then the shipped files' when they lie elsewhere.
    static QStringList directories();
    // The file to read for a name relative to the working directory: the
    // first of directories() that holds it, or the name itself.
    static QString locate(const QString &name);
    // The user's own directory, made with mode 0700 when missing; empty
    // when there is none to be had.
    static QString userDirectory();
};

#endif
