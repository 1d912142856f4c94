// The error codes the libraries answer. 0 is success.
#pragma once

#include <cstdint>

namespace velm {

enum ErrorCode : std::int32_t {
    kErrFailed = -1,                 // no shading object, table file not opened, configuration value missing
    kErrHostFunctionMissing = -12,   // host function or inner handle missing; set of a read-only parameter
    kErrDesignNotOpened = -100,
    kErrBufferTooSmall = -500,
    kErrNullHandle = -2001,
    kErrHostLibraryMissing = -2031,  // host library or both of its init entry points missing
    kErrInvalidArgument = -2070,     // also: no such parameter, port or index
    kErrNotAllowed = -2075,          // port without parameter information; generator timing out of bounds
    kErrFileNotAccepted = -2076,
    kErrNotSupported = -2130,
    kErrConfigLoadFailed = -5000,
    kErrConfigSaveFailed = -5001,    // also: lookup-table file not read or written
    kErrOutOfRange = -6000,
    kErrNotAMultiple = -7080,
    kErrKeyNotFound = -8000,
};

}  // namespace velm
