#include "tests/faults/fault_shim.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace faults {
namespace {

std::mutex mutex;
std::string watched;
Fault armed = Fault::None;
long limit = 0;
int hits = 0;
std::map<int, long> written; // bytes written per descriptor since arming

template <typename F> F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool Below(const std::string& path) {
    return !watched.empty() && path.compare(0, watched.size(), watched) == 0;
}

bool Watched(int fd) {
    char link[64];
    char target[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0) return false;
    const std::string path(target, size_t(n));
    // QSettings' lock file is no part of the saved settings.
    return Below(path) && path.find(".lock") == std::string::npos;
}

bool IsFolder(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

void Watch(const std::string& folder) {
    std::lock_guard lock(mutex);
    watched = folder;
}

void Arm(Fault fault, long offset) {
    std::lock_guard lock(mutex);
    armed = fault;
    limit = offset;
    hits = 0;
    written.clear();
}

void Disarm() {
    Arm(Fault::None);
}

int Hits() {
    std::lock_guard lock(mutex);
    return hits;
}

} // namespace faults

using faults::Fault;

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = faults::Next<ssize_t (*)(int, const void*, size_t)>("write");
    {
        std::lock_guard lock(faults::mutex);
        if (faults::armed == Fault::Write && fd > 2 && faults::Watched(fd)) {
            long& done = faults::written[fd];
            const long room = faults::limit - done;
            if (room <= 0) {
                ++faults::hits;
                errno = ENOSPC;
                return -1;
            }
            if (long(size) > room) {
                // A short write, as a filling disk gives; the next one fails.
                ++faults::hits;
                size = size_t(room);
            }
            const ssize_t n = next(fd, data, size);
            if (n > 0) done += n;
            return n;
        }
    }
    return next(fd, data, size);
}

static int SyncFault(int fd) {
    std::lock_guard lock(faults::mutex);
    const bool folder = faults::armed == Fault::FolderSync;
    if ((faults::armed != Fault::FileSync && !folder) || !faults::Watched(fd) ||
        faults::IsFolder(fd) != folder)
        return 0;
    ++faults::hits;
    errno = EIO;
    return -1;
}

int fsync(int fd) {
    static const auto next = faults::Next<int (*)(int)>("fsync");
    return SyncFault(fd) != 0 ? -1 : next(fd);
}

int fdatasync(int fd) {
    static const auto next = faults::Next<int (*)(int)>("fdatasync");
    return SyncFault(fd) != 0 ? -1 : next(fd);
}

static bool RenameFault(const char* to) {
    std::lock_guard lock(faults::mutex);
    if (faults::armed != Fault::Rename || !faults::Below(to)) return false;
    ++faults::hits;
    errno = EIO;
    return true;
}

int rename(const char* from, const char* to) {
    static const auto next = faults::Next<int (*)(const char*, const char*)>("rename");
    return RenameFault(to) ? -1 : next(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    static const auto next = faults::Next<int (*)(int, const char*, int, const char*)>("renameat");
    return RenameFault(to) ? -1 : next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static const auto next =
        faults::Next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    return RenameFault(to) ? -1 : next(fromDir, from, toDir, to, flags);
}

} // extern "C"
