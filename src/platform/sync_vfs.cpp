// The file layer the table connection opens its files through: the system's
// own, except that the flushes of working tables are left out.
//
// A transaction over several table files is made whole by SQLite's
// super-journal, which lists every file whose journal takes part; a file set
// to synchronous=OFF is left out of it, so a commit over two working tables
// landed file by file and a program killed in between left them out of step.
// Working tables therefore take part like the others, and what their
// synchronous setting would cost (a disk flush per commit, several per
// keystroke) is skipped here: a flush guards against a power cut, not against
// a killed program, whose writes the system keeps all the same. The super-journal
// of a commit that wrote working tables only is not flushed either.

#include <cstring>
#include <set>
#include <string>

#include "platform/table_internal.h"

namespace tv::detail {

namespace {

struct Policy {
    sqlite3_vfs* system = nullptr;
    bool nextOpenLazy = false;
    bool commitFlushes = true;
    std::set<std::string> lazyFiles;     // working tables' files, as SQLite names them
    std::set<std::string> superJournals; // open or not yet deleted
};

// Never destroyed: a connection still open when the statics go closes its
// files through this layer.
Policy& policy() {
    static auto* p = new Policy;
    return *p;
}

// A file of ours: the system's file follows it in the same allocation.
struct File {
    sqlite3_file base;
    sqlite3_file* real;
    bool lazy;         // a working table's file or journal: never flushed
    bool superJournal; // flushed unless the commit wrote working tables only
};

sqlite3_file* real(sqlite3_file* f) {
    return reinterpret_cast<File*>(f)->real;
}

bool skipsFlush(const File* f) {
    return f->lazy || (f->superJournal && !policy().commitFlushes);
}

int xClose(sqlite3_file* f) {
    sqlite3_file* r = real(f);
    const int rc = r->pMethods ? r->pMethods->xClose(r) : SQLITE_OK;
    f->pMethods = nullptr;
    return rc;
}
int xRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return real(f)->pMethods->xRead(real(f), buffer, amount, offset);
}
int xWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    return real(f)->pMethods->xTruncate(real(f), size);
}
int xSync(sqlite3_file* f, int flags) {
    if (skipsFlush(reinterpret_cast<File*>(f))) return SQLITE_OK;
    return real(f)->pMethods->xSync(real(f), flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return real(f)->pMethods->xFileSize(real(f), size);
}
int xLock(sqlite3_file* f, int level) {
    return real(f)->pMethods->xLock(real(f), level);
}
int xUnlock(sqlite3_file* f, int level) {
    return real(f)->pMethods->xUnlock(real(f), level);
}
int xCheckReservedLock(sqlite3_file* f, int* out) {
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int xFileControl(sqlite3_file* f, int op, void* arg) {
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int xSectorSize(sqlite3_file* f) {
    return real(f)->pMethods->xSectorSize(real(f));
}
int xDeviceCharacteristics(sqlite3_file* f) {
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int xShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return real(f)->pMethods->xShmMap(real(f), region, size, extend, out);
}
int xShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file* f) {
    real(f)->pMethods->xShmBarrier(real(f));
}
int xShmUnmap(sqlite3_file* f, int deleteFlag) {
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}
int xFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    return real(f)->pMethods->xFetch(real(f), offset, amount, out);
}
int xUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* pointer) {
    return real(f)->pMethods->xUnfetch(real(f), offset, pointer);
}

// One method table per version the system's files may have, so that SQLite
// asks of ours only what the system's file can do.
const sqlite3_io_methods* methodsFor(int version) {
    static const sqlite3_io_methods v1 = {1,
                                          xClose,
                                          xRead,
                                          xWrite,
                                          xTruncate,
                                          xSync,
                                          xFileSize,
                                          xLock,
                                          xUnlock,
                                          xCheckReservedLock,
                                          xFileControl,
                                          xSectorSize,
                                          xDeviceCharacteristics,
                                          nullptr,
                                          nullptr,
                                          nullptr,
                                          nullptr,
                                          nullptr,
                                          nullptr};
    static const sqlite3_io_methods v2 = [] {
        sqlite3_io_methods m = v1;
        m.iVersion = 2;
        m.xShmMap = xShmMap;
        m.xShmLock = xShmLock;
        m.xShmBarrier = xShmBarrier;
        m.xShmUnmap = xShmUnmap;
        return m;
    }();
    static const sqlite3_io_methods v3 = [] {
        sqlite3_io_methods m = v2;
        m.iVersion = 3;
        m.xFetch = xFetch;
        m.xUnfetch = xUnfetch;
        return m;
    }();
    return version >= 3 ? &v3 : version == 2 ? &v2 : &v1;
}

bool endsWith(const std::string& text, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    Policy& p = policy();
    File* file = reinterpret_cast<File*>(f);
    file->base.pMethods = nullptr;
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    file->lazy = false;
    file->superJournal = (flags & SQLITE_OPEN_SUPER_JOURNAL) != 0;
    if (name) {
        const std::string path(name);
        if (file->superJournal) p.superJournals.insert(path);
        if (flags & SQLITE_OPEN_MAIN_DB) {
            if (p.nextOpenLazy)
                p.lazyFiles.insert(path);
            else
                p.lazyFiles.erase(path);
            file->lazy = p.nextOpenLazy;
        } else if (flags & SQLITE_OPEN_MAIN_JOURNAL) {
            file->lazy = endsWith(path, "-journal") &&
                         p.lazyFiles.count(path.substr(0, path.size() - std::strlen("-journal"))) > 0;
        }
    }
    const int rc = p.system->xOpen(p.system, name, file->real, flags, outFlags);
    if (file->real->pMethods) file->base.pMethods = methodsFor(file->real->pMethods->iVersion);
    return rc;
}

int xDelete(sqlite3_vfs*, const char* name, int syncDirectory) {
    Policy& p = policy();
    if (name) {
        const std::string path(name);
        const bool workingJournal =
            endsWith(path, "-journal") &&
            p.lazyFiles.count(path.substr(0, path.size() - std::strlen("-journal"))) > 0;
        const bool superJournal = p.superJournals.erase(path) > 0;
        if (workingJournal || (superJournal && !p.commitFlushes)) syncDirectory = 0;
    }
    return p.system->xDelete(p.system, name, syncDirectory);
}

int xAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return policy().system->xAccess(policy().system, name, flags, out);
}
int xFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return policy().system->xFullPathname(policy().system, name, size, out);
}
void* xDlOpen(sqlite3_vfs*, const char* name) {
    return policy().system->xDlOpen(policy().system, name);
}
void xDlError(sqlite3_vfs*, int size, char* out) {
    policy().system->xDlError(policy().system, size, out);
}
void (*xDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
    return policy().system->xDlSym(policy().system, handle, symbol);
}
void xDlClose(sqlite3_vfs*, void* handle) {
    policy().system->xDlClose(policy().system, handle);
}
int xRandomness(sqlite3_vfs*, int size, char* out) {
    return policy().system->xRandomness(policy().system, size, out);
}
int xSleep(sqlite3_vfs*, int microseconds) {
    return policy().system->xSleep(policy().system, microseconds);
}
int xCurrentTime(sqlite3_vfs*, double* out) {
    return policy().system->xCurrentTime(policy().system, out);
}
int xGetLastError(sqlite3_vfs*, int size, char* out) {
    return policy().system->xGetLastError ? policy().system->xGetLastError(policy().system, size, out) : 0;
}
int xCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
    sqlite3_vfs* system = policy().system;
    if (system->iVersion >= 2 && system->xCurrentTimeInt64) return system->xCurrentTimeInt64(system, out);
    double days = 0;
    const int rc = system->xCurrentTime(system, &days);
    *out = sqlite3_int64(days * 86400000.0);
    return rc;
}

} // namespace

const char* syncVfsName() {
    static const char* const name = [] {
        static const char* const ownName = "tarvelino";
        Policy& p = policy();
        p.system = sqlite3_vfs_find(nullptr);
        static sqlite3_vfs vfs;
        std::memset(&vfs, 0, sizeof vfs);
        vfs.iVersion = 2;
        vfs.szOsFile = int(sizeof(File)) + p.system->szOsFile;
        vfs.mxPathname = p.system->mxPathname;
        vfs.zName = ownName;
        vfs.xOpen = xOpen;
        vfs.xDelete = xDelete;
        vfs.xAccess = xAccess;
        vfs.xFullPathname = xFullPathname;
        vfs.xDlOpen = xDlOpen;
        vfs.xDlError = xDlError;
        vfs.xDlSym = xDlSym;
        vfs.xDlClose = xDlClose;
        vfs.xRandomness = xRandomness;
        vfs.xSleep = xSleep;
        vfs.xCurrentTime = xCurrentTime;
        vfs.xGetLastError = xGetLastError;
        vfs.xCurrentTimeInt64 = xCurrentTimeInt64;
        sqlite3_vfs_register(&vfs, 0);
        return ownName;
    }();
    return name;
}

void setNextFileWorking(bool working) {
    policy().nextOpenLazy = working;
}

void setCommitFlushes(bool flush) {
    policy().commitFlushes = flush;
}

} // namespace tv::detail
