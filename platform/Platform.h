// The one door to the operating system. Everything else in the project is
// written against these few calls, so that the libraries build for the
// target (Windows DLLs) and for this development platform from the same
// sources. No operating-system header may be included outside platform/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace velm::os {

// ---- dynamic loading -------------------------------------------------------

using ModuleHandle = void*;

// Loads a library by its plain name ("acqhost"): the platform's file name for
// it is searched through the normal library search path and the directory of
// the calling library. Null when it cannot be loaded.
ModuleHandle loadLibrary(const char* baseName);
// Loads a library from a file path, as a caller of the deliverables does; a
// plain file name is searched for as the platform searches.
ModuleHandle loadLibraryFile(const char* path);
// The platform's file name of a library: "acqhost" is libacqhost.so here and
// acqhost.dll on Windows.
std::string libraryFileName(const char* baseName);
void* findSymbol(ModuleHandle module, const char* name);
void freeLibrary(ModuleHandle module);

// ---- the library's own file ------------------------------------------------

// Full path of the loaded module that contains `addressInside`. Empty when the
// platform cannot tell. The result is limited to the 260 characters a module
// path may have on the target.
std::string modulePathOf(const void* addressInside);

// Separator that joins a directory and a file name on this platform, and
// every character after which a file name begins ("C:a.mcf" is a.mcf in
// the current directory of drive C).
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
constexpr const char* kFileNameStarts = "\\/:";
#else
constexpr char kPathSeparator = '/';
constexpr const char* kFileNameStarts = "/";
#endif

// ---- environment -----------------------------------------------------------

// The value of an environment variable; nullopt when it is not set at all
// (an empty value is a set variable).
std::optional<std::string> environmentValue(const char* name);
// Sets a variable for this process, or removes it when `value` is null.
void setEnvironmentValue(const char* name, const char* value);

// ---- critical section ------------------------------------------------------

// Storage for the platform's critical section, embedded in the lock object so
// that a lock costs no allocation. Large and aligned enough for every target.
struct NativeCriticalSection {
    alignas(8) unsigned char storage[64];
};

void initCriticalSection(NativeCriticalSection& section);
void deleteCriticalSection(NativeCriticalSection& section);
void enterCriticalSection(NativeCriticalSection& section);
bool tryEnterCriticalSection(NativeCriticalSection& section);
void leaveCriticalSection(NativeCriticalSection& section);

// ---- recursive mutex -------------------------------------------------------

using MutexHandle = void*;

// An unnamed mutex, not initially owned, that its owner may take again.
MutexHandle createMutex();
// Waits without time-out; returns the platform's wait result (0 = acquired).
std::uint32_t waitMutex(MutexHandle mutex);
// Returns the platform's release result (non-zero = released).
int releaseMutex(MutexHandle mutex);
void closeMutex(MutexHandle mutex);

// ---- text files ------------------------------------------------------------

// printf/scanf conversion of an unsigned 64-bit decimal number, the same
// digits on every target.
const char* unsignedInt64Format();

// ---- files read ----

// Opens `path` with `mode` ("r" or "r+") only when it names a regular file,
// after following links, and without waiting on the open: a FIFO or a
// device where a file is expected would otherwise hold the caller, and the
// instance lock it holds, until a writer comes, or for ever. Null for
// anything else.
std::FILE* openRegularFile(const char* path, const char* mode);

// ---- files replaced whole ----

// The name a save to `target` replaces: `target` itself or, through
// symbolic links, the name the last link points to (no file need stand
// there yet). A save so keeps the link and changes the file behind it.
// nullopt when that name stands for something other than a regular file
// (a directory, a FIFO, a device, a socket) or cannot be looked at: a save
// must not replace it.
std::optional<std::string> saveTarget(const char* target);

// The directory part of a path, with the character that ends it; empty for
// a bare file name.
std::string directoryOf(const std::string& path);

// Creates a new, empty file beside `target` (in its directory, under a name
// no file there has) and opens it for writing as text, as fopen's "w" would
// open the target; its name goes to `name`. Null when none can be made, or
// when `target` exists but may not be written.
std::FILE* createFileBeside(const char* target, std::string& name);
// Hands what the stream holds to the system and has it put the file's data
// on the disk; true when both worked.
bool flushToDisk(std::FILE* file);
// Puts the file `from` in the place of `to` in one step: a reader finds the
// old file or the new one, whole. False when that cannot be done; both
// files are then as they were.
bool replaceFile(const char* from, const char* to);

// Makes the C library read and write numbers with a '.' decimal point while
// a configuration file is saved or loaded. How that is achieved is the
// platform's: see the implementation for what it leaves behind.
class NumericLocaleScope {
public:
    NumericLocaleScope();
    ~NumericLocaleScope();
    NumericLocaleScope(const NumericLocaleScope&) = delete;
    NumericLocaleScope& operator=(const NumericLocaleScope&) = delete;

private:
    void* previous_ = nullptr;
    void* mine_ = nullptr;
};

}  // namespace velm::os
