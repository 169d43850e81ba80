#ifndef CATALOGUETARGET_H
#define CATALOGUETARGET_H

#include <cstddef>
#include <cstdint>

// The fuzz target of the formula catalogue loader, shared by the libFuzzer
// program (fuzz_catalogue.cpp) and the test that replays its seeds and
// findings. It needs a running QApplication and the editor library's
// resources.
namespace CatalogueTarget
{

// Loads one catalogue into a keyboard and linearises a copy of every
// template it made.
int run(const uint8_t *data, size_t size);

} // namespace CatalogueTarget

#endif
