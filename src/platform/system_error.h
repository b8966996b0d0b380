// The platform layer's one error channel, for files, folders, registry keys
// and the databases' files alike.
//
// Contract: an operation that fails returns false (or -1, or an empty result)
// and leaves its outputs empty (no text, no names, no bytes). Why it failed is
// the system's error code as a SystemError (ERROR_FILE_NOT_FOUND: absent,
// ERROR_ACCESS_DENIED: denied, ERROR_SHARING_VIOLATION: held by another
// program, ...):
// - an object (File, FolderWalker, RegKey, DatabaseSnapshot) keeps the code of
//   its last operation in Error(): the failure's code, ERROR_SUCCESS after an
//   operation that succeeded;
// - a free function takes an optional SystemError* error, which receives the
//   failure's code, or ERROR_SUCCESS when it succeeded.
// Nothing throws. (A database keeps SQLite's own code and what it means,
// Database::Error() and Why(), the same way.)
#pragma once

using SystemError = unsigned long;  // a Win32 error code; registry calls' LONG codes are the same numbers
