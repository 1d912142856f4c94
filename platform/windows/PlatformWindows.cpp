// Windows side of the platform layer: the target, where every library is a
// DLL that the acquisition host loads by name.
#include "Platform.h"
#include "PlatformInternal.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <string>

namespace velm::os {

namespace {

CRITICAL_SECTION& nativeSection(NativeCriticalSection& section)
{
    static_assert(sizeof(CRITICAL_SECTION) <= sizeof(NativeCriticalSection::storage),
                  "critical section storage too small");
    static_assert(alignof(CRITICAL_SECTION) <= alignof(NativeCriticalSection),
                  "critical section storage under-aligned");
    return *reinterpret_cast<CRITICAL_SECTION*>(section.storage);
}

// MAX_PATH characters and the terminating zero.
constexpr DWORD kModulePathBuffer = 261;

}  // namespace

std::string libraryFileName(const char* baseName)
{
    return std::string(baseName) + ".dll";
}

ModuleHandle loadLibraryFile(const char* path)
{
    return LoadLibraryA(path);
}

void* findSymbol(ModuleHandle module, const char* name)
{
    if (module == nullptr || name == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void freeLibrary(ModuleHandle module)
{
    if (module != nullptr) {
        FreeLibrary(static_cast<HMODULE>(module));
    }
}

std::string modulePathOf(const void* addressInside)
{
    HMODULE module = nullptr;
    // The module is only asked for its name: its reference count stays, so
    // nothing has to be freed afterwards.
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(addressInside), &module)) {
        return {};
    }
    char buffer[kModulePathBuffer] = {};
    const DWORD length = GetModuleFileNameA(module, buffer, kModulePathBuffer);
    // A full buffer means the name was cut.
    if (length == 0 || length >= kModulePathBuffer) {
        return {};
    }
    return std::string(buffer, length);
}

// The C library's own copy of the environment is what getenv reads, so the
// change goes through it. It has no empty variables: an empty value removes
// the variable, as a null one does.
void setEnvironmentValue(const char* name, const char* value)
{
    _putenv_s(name, value != nullptr ? value : "");
}

void initCriticalSection(NativeCriticalSection& section)
{
    InitializeCriticalSection(&nativeSection(section));
}

void deleteCriticalSection(NativeCriticalSection& section)
{
    DeleteCriticalSection(&nativeSection(section));
}

void enterCriticalSection(NativeCriticalSection& section)
{
    EnterCriticalSection(&nativeSection(section));
}

bool tryEnterCriticalSection(NativeCriticalSection& section)
{
    return TryEnterCriticalSection(&nativeSection(section)) != FALSE;
}

void leaveCriticalSection(NativeCriticalSection& section)
{
    LeaveCriticalSection(&nativeSection(section));
}

MutexHandle createMutex()
{
    return CreateMutexA(nullptr, FALSE, nullptr);
}

std::uint32_t waitMutex(MutexHandle mutex)
{
    return static_cast<std::uint32_t>(WaitForSingleObject(static_cast<HANDLE>(mutex), INFINITE));
}

int releaseMutex(MutexHandle mutex)
{
    return ReleaseMutex(static_cast<HANDLE>(mutex)) != FALSE ? 1 : 0;
}

void closeMutex(MutexHandle mutex)
{
    if (mutex != nullptr) {
        CloseHandle(static_cast<HANDLE>(mutex));
    }
}

const char* unsignedInt64Format()
{
    return "%I64u";
}

namespace {

// Disk files only: a name such as "NUL" or "COM1" opens a device, whatever
// directory or extension it is given.
bool isDiskFile(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK &&
           GetFileInformationByHandle(handle, &information) != FALSE &&
           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// "\\?\C:\x" as "C:\x", "\\?\UNC\server\x" as "\\server\x": the names
// every file function takes.
std::string withoutLongPathPrefix(std::string path)
{
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) {
        return "\\\\" + path.substr(8);
    }
    if (path.rfind("\\\\?\\", 0) == 0) {
        return path.substr(4);
    }
    return path;
}

}  // namespace

std::FILE* openRegularFile(const char* path, const char* mode)
{
    if (path == nullptr || mode == nullptr) {
        return nullptr;
    }
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, mode);
    if (file != nullptr && !isDiskFile(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))))) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

// A link (a reparse point) is resolved by the system itself: the file it
// leads to is opened and asked for its name. That file must exist.
std::optional<std::string> saveTarget(const char* target)
{
    if (target == nullptr) {
        return std::nullopt;
    }
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return std::string(target);
        }
        return std::nullopt;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return std::nullopt;
    }
    const HANDLE handle = CreateFileA(target, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<std::string> resolved;
    if (isDiskFile(handle)) {
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            resolved = std::string(target);
        } else {
            char buffer[MAX_PATH * 4] = {};
            const DWORD length = GetFinalPathNameByHandleA(handle, buffer, sizeof buffer, VOLUME_NAME_DOS);
            if (length > 0 && length < sizeof buffer) {
                resolved = withoutLongPathPrefix(std::string(buffer, length));
            }
        }
    }
    CloseHandle(handle);
    return resolved;
}

// Neither text nor binary is asked for, so the file takes the C library's
// default mode, as fopen's "w" does: text, with "\r\n" line ends. A
// read-only target is refused by the replacement itself.
std::FILE* createNewTextFile(const char* name, const char* /*target*/, bool& taken)
{
    taken = false;
    const int descriptor = _open(name, _O_WRONLY | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        taken = errno == EEXIST;
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "w");
    if (file == nullptr) {
        _close(descriptor);
        _unlink(name);
    }
    return file;
}

std::uint32_t processId()
{
    return static_cast<std::uint32_t>(GetCurrentProcessId());
}

bool flushToDisk(std::FILE* file)
{
    if (file == nullptr || std::fflush(file) != 0) {
        return false;
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != FALSE;
}

// Write-through: the call returns once the new name is on the disk too.
bool replaceFile(const char* from, const char* to)
{
    return from != nullptr && to != nullptr &&
           MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

namespace {

// Every category but the numbers in "English", the numbers in "C": see
// NumericLocaleScope.
void setEnglishWithCNumbers()
{
    for (int category : {LC_COLLATE, LC_CTYPE, LC_MONETARY, LC_TIME}) {
        std::setlocale(category, "English");
    }
    std::setlocale(LC_NUMERIC, "C");
}

}  // namespace

// As the target does, the process is switched to the "English" locale, and
// it stays so after the file is closed: the C library (msvcrt.dll) keeps one
// locale for every thread and every module that uses it, so the host
// program and the other DLLs see the change too. Nothing is put back.
//
// One category differs from the target's: numbers are set to the "C"
// locale, whose numbers are English's (a '.' decimal point, no grouping in
// printf). MinGW's C++ library formats every number of every stream by
// switching LC_NUMERIC to "C" and back whenever it is not "C" already, and
// such process-wide switches from several threads at once corrupt the C
// library's locale data. With "C" numbers that never happens, and the
// categories are set one by one so that the numbers are not "English" even
// for a moment.
//
// The locale is only set when it is not this one already, so that saves
// and loads do not switch it under the other threads again and again.
NumericLocaleScope::NumericLocaleScope()
{
    static const std::string wanted = [] {
        setEnglishWithCNumbers();
        const char* chosen = std::setlocale(LC_ALL, nullptr);
        return std::string(chosen != nullptr ? chosen : "");
    }();
    const char* current = std::setlocale(LC_ALL, nullptr);
    if (current == nullptr || wanted != current) {
        setEnglishWithCNumbers();
    }
}

NumericLocaleScope::~NumericLocaleScope() = default;

}  // namespace velm::os

// The entry point of every DLL the platform layer is linked into. No
// per-thread work is done on attach or detach, so the loader is told not to
// call in for every thread the host starts or ends.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
