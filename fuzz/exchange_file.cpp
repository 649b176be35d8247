// The exchange file reader on arbitrary bytes read from a file, as the
// import reads a file that may come from anywhere.

#include "exchange/ExchangeFile.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        std::abort();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!file.resize(0) || !file.seek(0) || file.write(bytes) != bytes.size() || !file.flush())
        std::abort();

    ExchangeFile exchange;
    exchange.path = file.fileName();
    if (!exchange.read())
        std::abort();
    // Whatever was read can be written again: every byte stands for a
    // character that has a byte.
    if (exchange.unencodableRecord() >= 0)
        std::abort();
    if (ExchangeFile::toSingleByte(ExchangeFile::fromSingleByte(bytes)) != bytes)
        std::abort();
    ExchangeFile::parse(exchange.toBytes());
    return 0;
}
