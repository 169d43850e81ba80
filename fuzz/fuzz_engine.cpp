// libFuzzer entry of an engine target (see fuzztargets.h): the build names
// the target's run function in FUZZ_RUN.

#include "fuzztargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // the evaluating targets' time limit runs on the application's timers
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    FuzzTargets::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzTargets::FUZZ_RUN(data, size);
}
