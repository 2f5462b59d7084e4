#pragma once
// The single-instance lock: an exclusive flock on a file named after the
// mutex ("csvTabroConnect") in $XDG_RUNTIME_DIR, else /tmp. The kernel drops
// the lock when the process ends, however it ends.

#include <filesystem>
#include <string>

// Takes the lock named name in folder (empty: SingleInstanceLockPath's default).
// Returns the descriptor that holds it, or -1 when another holder has it or the
// lock file cannot be opened. Two acquisitions conflict even inside one process.
int AcquireSingleInstanceLock(const std::string& name, const std::filesystem::path& folder = {});

// Gives the lock up and sets fd to -1; nothing when fd is -1.
void ReleaseSingleInstanceLock(int& fd);

// $XDG_RUNTIME_DIR when set, not empty and a folder this user may write in;
// else /tmp.
std::filesystem::path DefaultLockFolder();

// The lock file: folder/name.lock; without a folder, in DefaultLockFolder(). In
// the shared /tmp the file name carries the user id ("name-<uid>.lock"), so one
// user's file never refuses another user's start.
std::filesystem::path SingleInstanceLockPath(const std::string& name,
                                             const std::filesystem::path& folder = {});
