// Consts.h - the texts of the class library's errors, each named once.
#pragma once

inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SArgumentMissing = "No argument for format '%s'";
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* SInvalidFileTime = "Invalid file time";
inline constexpr const char* SFOpenErrorEx = "Cannot open file \"%s\". %s";
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr const char* SUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SInvalidMetafile = "Metafile is not valid";
inline constexpr const char* SResNotFound = "Resource %s not found";
inline constexpr const char* SScanLine = "Scan line index out of range";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* SRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* SInvalidRegType = "Invalid data type for '%s'";
inline constexpr const char* SIniFileWriteError = "Unable to write to %s";
inline constexpr const char* SUnknownException = "Unknown exception";
inline constexpr const char* SParentRequired = "Control '%s' has no parent window";
inline constexpr const char* SControlParentSetToSelf = "A control cannot have itself as its parent";
inline constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* SCannotShowModal = "Cannot make a visible window modal";
inline constexpr const char* SNoTimers = "Not enough timers available";
