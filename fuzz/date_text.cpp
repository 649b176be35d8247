// The date reader on arbitrary text, as typed in either language or read
// from the database.

#include "core/DateText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    DateText::isoDate(text);
    DateText::fromIso(text);
    const std::optional<QDateTime> parsed = DateText::parse(text);
    if (!parsed)
        return 0;
    // A date that was read is stored as ISO text and reads back the same.
    const QString iso = DateText::toIso(*parsed);
    if (DateText::fromIso(iso) != *parsed || DateText::isoDate(iso) != parsed->date())
        std::abort();
    for (const QString& language : {QStringLiteral("DE"), QStringLiteral("US")}) {
        const std::optional<QDateTime> shown =
            DateText::parse(DateText::forLanguage(parsed->date(), language));
        if (!shown || shown->date() != parsed->date())
            std::abort();
    }
    return 0;
}
