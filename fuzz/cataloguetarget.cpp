#include "cataloguetarget.h"

#include "qformula.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"

#include <QBuffer>

#include <memory>

namespace CatalogueTarget
{

int run(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    QFormulaKeyboard keyboard;
    auto provider = std::make_unique<QFormulaProvider>();
    const int count = provider->load(&buffer, &keyboard);
    for (int k = 0; k < count; ++k)
        std::unique_ptr<QFormula>(provider->createFormula(k))->toLine();
    // The provider owns the templates inside the key buttons: it goes first.
    provider.reset();
    return 0;
}

} // namespace CatalogueTarget
