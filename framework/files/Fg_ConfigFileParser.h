// Reader and writer of camera configuration files (".mcf"). A parser lives on
// the caller's stack for one save or load and owns the open file.
//
// File grammar: a header "[Kamerasektion]", an empty line and
// "ConfigFileVersion=2.0;", the header keys, then one section a port headed
// "[Port A]", "[Port B]", ...; one key a line as key=value; (strings as
// key='text';).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "AtomicFile.h"

namespace velm {

class ErrorLog;

class Fg_ConfigFileParser {
public:
    // Every value buffer a caller hands in must hold this many bytes; values
    // are cut to one byte less.
    static constexpr std::size_t kValueBufferSize = 256;

    // The file is opened only when the name contains ".mcf" and names a
    // regular file (after links): read-only with "r", else with "r+".
    // `log` may be null and is borrowed.
    Fg_ConfigFileParser(ErrorLog* log, const char* fileName, bool readOnly);
    ~Fg_ConfigFileParser();
    Fg_ConfigFileParser(const Fg_ConfigFileParser&) = delete;
    Fg_ConfigFileParser& operator=(const Fg_ConfigFileParser&) = delete;

    // ".mcf" anywhere in the name counts ("a.mcf.bak" too).
    static bool checkFileType(const char* fileName);
    static bool checkFileExist(const char* fileName);
    bool isOpen() const { return file_ != nullptr; }

    // Starts a save to the file. It is written beside the file and takes
    // its place only in commitSaveFile(); a parser destroyed before that
    // leaves the file as it was.
    bool setSaveFile(const char* fileName);
    // True when every line was written and the saved file is in place;
    // otherwise the file is as it was before setSaveFile.
    bool commitSaveFile();

    // Without a save file the writers do nothing; a write that fails makes
    // commitSaveFile() fail.
    void writeConfigFileHeader();
    void writeConfigFile(const char* key, const char* text);
    void writeConfigFileValue(const char* key, const char* value);
    void writeConfigFileIntKey(const char* key, std::int32_t value);
    void writeConfigFileUInt64Key(const char* key, std::uint64_t value);
    // Twelve significant digits, shortest form. The misspelt name is the one
    // every applet calls.
    void wrtiteConfigFileDoubleKey(const char* key, double value);

    // "[Port A]" for port 0, without a newline.
    static std::string getPortSectionName(std::uint32_t port);
    void writePortSection(std::uint32_t port);

    // The value of the first line after the one beginning with `section`
    // that begins with "key="; the search runs to the end of the file, past
    // later sections. A quoted value runs to the last quote of its line.
    // Lines are read whole; the value is cut to fit `capacity` bytes with
    // its terminating zero. 0, or -8000 with "Error" in the buffer.
    std::int32_t parseKey(const char* section, const char* key, char* value,
                          std::size_t capacity = kValueBufferSize);
    // The first line anywhere that contains `key`: the text after its first
    // '=' or quote, up to the next one, copied whole. 0 or -8000 ("Error").
    std::int32_t parseKeyFromLine(const char* key, char* value);

    // Number forms: 0, or -1 when the key is missing, its value text holds
    // "Error", or `value` is null (the out value is then left as it was).
    std::int32_t parseIntKey(const char* section, const char* key, std::int32_t* value);
    std::int32_t parseIntKey(const char* section, const char* key, std::uint64_t* value);
    std::int32_t parseDoubleKey(const char* section, const char* key, double* value);
    std::int32_t parseIntKeyFromHeader(const char* key, std::int32_t* value);

    // Searched from the port's section line; -1 for a null key.
    std::int32_t parsePortIntKey(std::uint32_t port, const char* key, std::int32_t* value);
    std::int32_t parsePortUInt64Key(std::uint32_t port, const char* key, std::uint64_t* value);
    std::int32_t parsePortDoubleKey(std::uint32_t port, const char* key, double* value);
    // 0, -8000, or -1 for a null key.
    std::int32_t parsePortKey(std::uint32_t port, const char* key, char* value,
                              std::size_t capacity = kValueBufferSize);

private:
    void trace(const char* operation) const;
    bool readNumberText(const char* section, const char* key, bool hasTarget, char* text);
    void close();
    void writeLine(const char* key, const char* value, bool quoted);
    void logError(const char* message) const;

    std::FILE* file_ = nullptr;  // the file being read
    AtomicFile saveFile_;
    ErrorLog* log_ = nullptr;
};

}  // namespace velm
