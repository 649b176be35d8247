// The number reader on arbitrary text, as typed into the grids and header.

#include "core/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = NumberText::read(text);
    if (NumberText::readsFinite(text) != std::isfinite(value))
        std::abort();
    NumberText::decimalsOf(text);
    // A finite number shown with the grids' decimals reads back within half
    // of its last place.
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        for (int decimals : {0, 2, 6}) {
            const double back = NumberText::read(NumberText::format(value, decimals));
            if (std::fabs(back - value) >
                0.5 * std::pow(10.0, -decimals) * (1.0 + 1e-9) + std::fabs(value) * 1e-14)
                std::abort();
        }
    }
    return 0;
}
