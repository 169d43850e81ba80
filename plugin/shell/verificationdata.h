#ifndef VERIFICATIONDATA_H
#define VERIFICATIONDATA_H

#include <QtGlobal>

// The verification text of a plug-in built with this toolkit and compiler:
// the toolkit version, whether it is a debug build, and a build key naming
// the system, the compiler and the build type. A host compares it with its
// own before it uses the plug-in.

#if defined(Q_OS_LINUX)
#define BRISMA_BUILD_OS "Linux"
#elif defined(Q_OS_WIN)
#define BRISMA_BUILD_OS "Windows"
#else
#define BRISMA_BUILD_OS "unknown OS"
#endif

#if defined(Q_CC_CLANG)
#define BRISMA_BUILD_COMPILER "clang"
#elif defined(Q_CC_MINGW)
#define BRISMA_BUILD_COMPILER "mingw"
#elif defined(Q_CC_GNU)
#define BRISMA_BUILD_COMPILER "g++"
#elif defined(Q_CC_MSVC)
#define BRISMA_BUILD_COMPILER "msvc"
#else
#define BRISMA_BUILD_COMPILER "unknown compiler"
#endif

#if defined(QT_DEBUG)
#define BRISMA_BUILD_DEBUG "true"
#define BRISMA_BUILD_TYPE "debug"
#else
#define BRISMA_BUILD_DEBUG "false"
#define BRISMA_BUILD_TYPE "release"
#endif

#define BRISMA_VERIFICATION_DATA                                                                   \
    "pattern=QT_PLUGIN_VERIFICATION_DATA\n"                                                        \
    "version=" QT_VERSION_STR "\n"                                                                 \
    "debug=" BRISMA_BUILD_DEBUG "\n"                                                               \
    "buildkey=" BRISMA_BUILD_OS " " BRISMA_BUILD_COMPILER " " BRISMA_BUILD_TYPE " full-config"

#endif
