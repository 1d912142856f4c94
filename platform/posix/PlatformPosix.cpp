// POSIX side of the platform layer (Linux, glibc).
#include "Platform.h"
#include "PlatformInternal.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <locale.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cinttypes>
#include <cstdlib>
#include <new>

namespace velm::os {

namespace {

pthread_mutex_t& nativeMutex(NativeCriticalSection& section)
{
    static_assert(sizeof(pthread_mutex_t) <= sizeof(NativeCriticalSection::storage),
                  "critical section storage too small");
    static_assert(alignof(pthread_mutex_t) <= alignof(NativeCriticalSection),
                  "critical section storage under-aligned");
    return *reinterpret_cast<pthread_mutex_t*>(section.storage);
}

// A critical section lets its owner in again; so does this mutex.
void initRecursive(pthread_mutex_t& mutex)
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

}  // namespace

std::string libraryFileName(const char* baseName)
{
    return std::string("lib") + baseName + ".so";
}

ModuleHandle loadLibraryFile(const char* path)
{
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* findSymbol(ModuleHandle module, const char* name)
{
    if (module == nullptr || name == nullptr) {
        return nullptr;
    }
    return dlsym(module, name);
}

void freeLibrary(ModuleHandle module)
{
    if (module != nullptr) {
        dlclose(module);
    }
}

std::string modulePathOf(const void* addressInside)
{
    Dl_info info{};
    if (dladdr(addressInside, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::string path(info.dli_fname);
    constexpr std::size_t kTargetPathLimit = 260;
    if (path.size() > kTargetPathLimit) {
        return {};
    }
    return path;
}

void setEnvironmentValue(const char* name, const char* value)
{
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

void initCriticalSection(NativeCriticalSection& section)
{
    new (section.storage) pthread_mutex_t;
    initRecursive(nativeMutex(section));
}

void deleteCriticalSection(NativeCriticalSection& section)
{
    pthread_mutex_destroy(&nativeMutex(section));
}

void enterCriticalSection(NativeCriticalSection& section)
{
    pthread_mutex_lock(&nativeMutex(section));
}

bool tryEnterCriticalSection(NativeCriticalSection& section)
{
    return pthread_mutex_trylock(&nativeMutex(section)) == 0;
}

void leaveCriticalSection(NativeCriticalSection& section)
{
    pthread_mutex_unlock(&nativeMutex(section));
}

MutexHandle createMutex()
{
    auto* mutex = new pthread_mutex_t;
    initRecursive(*mutex);
    return mutex;
}

std::uint32_t waitMutex(MutexHandle mutex)
{
    return static_cast<std::uint32_t>(pthread_mutex_lock(static_cast<pthread_mutex_t*>(mutex)));
}

int releaseMutex(MutexHandle mutex)
{
    return pthread_mutex_unlock(static_cast<pthread_mutex_t*>(mutex)) == 0 ? 1 : 0;
}

void closeMutex(MutexHandle mutex)
{
    auto* native = static_cast<pthread_mutex_t*>(mutex);
    if (native != nullptr) {
        pthread_mutex_destroy(native);
        delete native;
    }
}

const char* unsignedInt64Format()
{
    return "%" PRIu64;
}

std::FILE* openRegularFile(const char* path, const char* mode)
{
    if (path == nullptr || mode == nullptr) {
        return nullptr;
    }
    // Asked first, so that nothing else is opened at all: opening some
    // devices acts on them.
    struct stat status {};
    if (stat(path, &status) != 0 || !S_ISREG(status.st_mode)) {
        return nullptr;
    }
    const int access = mode[0] == 'r' && mode[1] == '+' ? O_RDWR : O_RDONLY;
    const int descriptor = open(path, access | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    // The name may have been given to something else since it was asked.
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(descriptor);
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, mode);
    if (file == nullptr) {
        close(descriptor);
    }
    return file;
}

// Links are followed one at a time rather than resolved whole, so that a
// link to a file not made yet leads to its name too; as many as the system
// itself follows.
std::optional<std::string> saveTarget(const char* target)
{
    if (target == nullptr) {
        return std::nullopt;
    }
    constexpr int kMostLinks = 40;
    std::string path(target);
    for (int link = 0; link <= kMostLinks; ++link) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            return std::nullopt;
        }
        if (S_ISREG(status.st_mode)) {
            return path;
        }
        if (!S_ISLNK(status.st_mode)) {
            return std::nullopt;
        }
        // One byte more than the link holds: a link that filled the buffer
        // was changed meanwhile and may have been cut.
        std::string pointsTo(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = readlink(path.c_str(), pointsTo.data(), pointsTo.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= pointsTo.size()) {
            return std::nullopt;
        }
        pointsTo.resize(static_cast<std::size_t>(length));
        path = pointsTo[0] == '/' ? pointsTo : directoryOf(path) + pointsTo;
    }
    return std::nullopt;
}

// A file that its owner protected from writing stays as it is, as it did
// when a save opened the file itself; a rename would not ask.
std::FILE* createNewTextFile(const char* name, const char* target, bool& taken)
{
    taken = false;
    struct stat model {};
    const bool replacing = stat(target, &model) == 0;
    if (replacing && access(target, W_OK) != 0) {
        return nullptr;
    }
    const int descriptor = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        taken = errno == EEXIST;
        return nullptr;
    }
    if (replacing) {
        fchmod(descriptor, model.st_mode & 07777);
    }
    std::FILE* file = fdopen(descriptor, "w");
    if (file == nullptr) {
        close(descriptor);
        unlink(name);
    }
    return file;
}

std::uint32_t processId()
{
    return static_cast<std::uint32_t>(getpid());
}

bool flushToDisk(std::FILE* file)
{
    return file != nullptr && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

// The rename is made durable too, where the system lets a directory be
// synced; its answer does not count, as the file is in place either way.
bool replaceFile(const char* from, const char* to)
{
    if (from == nullptr || to == nullptr || std::rename(from, to) != 0) {
        return false;
    }
    const std::string directory = directoryOf(to);
    const int descriptor = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
    return true;
}

// The target sets the whole process to the "English" locale and leaves it so.
// Here no locale has that name, and changing the process-wide locale would
// surprise the host process; instead the calling thread alone uses the C
// locale for as long as the configuration file is open, and gets its own
// locale back afterwards.
NumericLocaleScope::NumericLocaleScope()
{
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (c != static_cast<locale_t>(nullptr)) {
        mine_ = c;
        previous_ = uselocale(c);
    }
}

NumericLocaleScope::~NumericLocaleScope()
{
    if (mine_ != nullptr) {
        uselocale(static_cast<locale_t>(previous_));
        freelocale(static_cast<locale_t>(mine_));
    }
}

}  // namespace velm::os
