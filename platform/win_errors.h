// Windows error codes, as the file layer reports them (0 = success).
//
// The storage engine maps these onto its own numbers; everything above the platform layer sees
// the Windows meaning, whatever errno the host gave.
#pragma once

#include <cstdint>

namespace platform {

using WinError = std::uint32_t;

inline constexpr WinError kErrorSuccess = 0;
inline constexpr WinError kErrorFileNotFound = 2;
inline constexpr WinError kErrorPathNotFound = 3;
inline constexpr WinError kErrorTooManyOpenFiles = 4;
inline constexpr WinError kErrorAccessDenied = 5;
inline constexpr WinError kErrorInvalidHandle = 6;
inline constexpr WinError kErrorNotEnoughMemory = 8;
inline constexpr WinError kErrorInvalidAccess = 12;
inline constexpr WinError kErrorWriteFault = 29;  // the device takes no more bytes
inline constexpr WinError kErrorGenFailure = 31;
inline constexpr WinError kErrorSharingViolation = 32;
inline constexpr WinError kErrorLockViolation = 33;
inline constexpr WinError kErrorFileExists = 80;
inline constexpr WinError kErrorInvalidParameter = 87;
inline constexpr WinError kErrorDiskFull = 112;
inline constexpr WinError kErrorNegativeSeek = 131;
inline constexpr WinError kErrorNotLocked = 158;
inline constexpr WinError kErrorAlreadyExists = 183;
inline constexpr WinError kErrorFilenameTooLong = 206;

// The Windows code of a host error number (errno); kErrorGenFailure for one without a match.
WinError WinErrorFromErrno(int error);

}  // namespace platform
