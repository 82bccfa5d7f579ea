// Val must read any text without failing: a record file may hold anything.
#include "forms/runtime/conversions.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto bytes = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);
    forms::Val(QString::fromUtf8(bytes, length));
    forms::Val(QString::fromLatin1(bytes, length));
    return 0;
}
