// libFuzzer entry of an engine target (see fuzztargets.h): the build names
// the target's run function in FUZZ_RUN.

#include "fuzztargets.h"

#include <QDir>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    FuzzTargets::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzTargets::FUZZ_RUN(data, size);
}
