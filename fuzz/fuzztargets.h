#ifndef FUZZTARGETS_H
#define FUZZTARGETS_H

#include <cstddef>
#include <cstdint>

// The fuzz targets of the engine, shared by the libFuzzer programs
// (fuzz_engine.cpp, one program per target) and by the test that replays
// their seeds and findings (tests/engine/tst_fuzzcorpus.cpp). A target that
// finds a fault aborts.
//
// Each target works in the current directory, which prepare() fills with
// the fuzzers' own operator table and script library. A new target adds a
// run function here, a tovel_fuzz_target(<name> <run function>) line in
// CMakeLists.txt, its name in run.sh and in the replay test, and
// seeds in seeds/<name>/.
namespace FuzzTargets
{

void prepare();

// The translation pipeline on one line: the passes, the cache on a second
// processor, and the one-sweep operator pass against the rescanning one.
int runTranslate(const uint8_t *data, size_t size);
// The operator-file loader on one file, its table applied to fixed lines.
int runOperators(const uint8_t *data, size_t size);
// The cache-file loader on one file: what it saves reads back unchanged.
int runCache(const uint8_t *data, size_t size);
// The evaluation of one line, its answers and errors turned into text, with
// a time limit: a second evaluation, from the cache, gives the same text.
// Needs the application object.
int runEvaluate(const uint8_t *data, size_t size);
// Three library modules, fx, fy and fz, whose files are the pieces of the
// input between form feeds, with "#use " lines among them: fixed lines that
// name them are evaluated as runEvaluate does. Needs the application object.
int runModules(const uint8_t *data, size_t size);

} // namespace FuzzTargets

#endif
