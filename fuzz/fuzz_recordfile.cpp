// A record file as the game loads it: read whole (up to the game's limit),
// then read as a number. A plain file of ours must always read, so any
// exception escapes and counts as a crash.
#include "forms/files/sequentialfiles.h"
#include "forms/runtime/conversions.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr qint64 largestRecordFile = 64 * 1024;

QString recordPath()
{
    static const QString path = [] {
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/mcm-fuzz-record-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            std::abort();
        ::close(fd);
        return QString::fromLocal8Bit(pattern);
    }();
    return path;
}

void removeRecordFile()
{
    QFile::remove(recordPath());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    recordPath();
    std::atexit(removeRecordFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QFile file(recordPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();
    forms::Val(forms::readFile(recordPath(), largestRecordFile));
    return 0;
}
