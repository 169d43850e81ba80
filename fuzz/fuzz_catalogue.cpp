// libFuzzer entry of the catalogue target (see cataloguetarget.h).

#include "cataloguetarget.h"

#include <QApplication>

namespace
{

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

// Outside the C entry points and the anonymous namespace, so that the
// resource function keeps its C++ name in the global namespace.
static void startApplication(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Q_INIT_RESOURCE(brismadata);
    static QApplication application(*argc, *argv);
    qInstallMessageHandler(quiet);
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return CatalogueTarget::run(data, size);
}
