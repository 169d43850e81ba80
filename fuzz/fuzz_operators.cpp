// libFuzzer entry of the operators target (see fuzztargets.h).

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
    return FuzzTargets::runOperators(data, size);
}
