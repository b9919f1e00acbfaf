// Any bytes as the saved settings file. Loading follows the two-block rule
// (a missing or bad value ends its block), and whatever was loaded, saved
// again and reloaded, comes back the same.
#include "config/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_settings: check on line %d failed\n", line);
    std::abort();
}

// A value after one that is missing stays empty.
bool BlocksHold(const kestrix::StoredSettings& s) {
    const bool geometryWhole = s.top && s.left && s.width && s.height;
    const bool geometryNone = !s.top && !s.left && !s.width && !s.height;
    return (geometryWhole || geometryNone) && (!s.dProp || geometryWhole) &&
           (!s.hProp || s.dProp) && (!s.sCnt || s.sTop) && (!s.kCnt || s.sCnt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where there is such a folder: every save syncs to the disk.
    // A new name for every input: QSettings keeps what it read of a file and
    // takes it again while the file's time and size look the same.
    static const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static unsigned long long count = 0;
    const QString path = folder + QStringLiteral("/kestrix-fuzz-settings-%1-%2.ini")
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(++count);
    // QSettings keeps what it parsed of the files it read in a process-wide
    // cache. Left there, an input's entries were freed only by later inputs,
    // and libFuzzer, seeing more allocations than frees, scanned the whole
    // heap for leaks after nearly every input: most of the harness's time.
    // Opened again once the file is gone, an entry is read as empty and
    // dropped, so that an input leaves nothing behind and a real leak still
    // shows as one.
    struct Remove {
        const QString& path;
        ~Remove() {
            QFile::remove(path);
            const kestrix::Settings dropCachedCopy(path);
        }
    } remove{path};
    {
        QFile file(path);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Check(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    kestrix::StoredSettings loaded;
    {
        kestrix::Settings settings(path);
        loaded = settings.load();
        Check(loaded.keyExists);
        Check(BlocksHold(loaded));
    }
    kestrix::SettingsToSave values;
    values.top = loaded.top.value_or(0);
    values.left = loaded.left.value_or(0);
    values.width = loaded.width.value_or(0);
    values.height = loaded.height.value_or(0);
    values.dProp = loaded.dProp.value_or(0);
    values.hProp = loaded.hProp.value_or(0);
    values.sCnt = loaded.sCnt.value_or(0);
    values.kCnt = loaded.kCnt.value_or(0);
    values.stayOnTop = loaded.sTop.value_or(0) != 0;
    {
        kestrix::Settings settings(path);
        // A file that QSettings cannot parse is reported, not overwritten.
        if (!settings.save(values)) return 0;
    }
    // Read under another name, so that nothing cached of the input counts.
    const QString copy = path + QStringLiteral(".saved");
    const Remove removeCopy{copy};
    Check(QFile::rename(path, copy));
    const kestrix::StoredSettings again = kestrix::Settings(copy).load();
    Check(again.hasGeometry());
    Check(*again.top == values.top && *again.left == values.left && *again.width == values.width &&
          *again.height == values.height);
    Check(again.dProp == values.dProp && again.hProp == values.hProp);
    Check(again.sTop == (values.stayOnTop ? 1 : 0) && again.sCnt == values.sCnt &&
          again.kCnt == values.kCnt);
    return 0;
}
