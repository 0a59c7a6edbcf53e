#pragma once
// An advisory lock on a file that its writers replace by renaming a new file over it (see
// writeFileAtomic). Programs that read, change and write such a file while holding the lock
// take turns, so that none of them overwrites what another has just added.
#include <string>

#include "data/file_errors.h"

namespace zemtral {

/// @brief Waits for the exclusive lock (flock) of the file at `path` and holds it until
/// destruction. A missing file is created empty so that it can be locked. A lock taken on a file
/// that another holder then replaced is taken again on the new file, so the holder always locks
/// the file that the path names.
class FileLock {
  public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// @brief Why the lock could not be taken; no failure when it is held.
    const FileError& error() const { return m_error; }
    /// @brief True when the lock created the (empty) file.
    bool createdFile() const { return m_created; }

  private:
    int m_fd = -1;
    bool m_created = false;
    FileError m_error;
};

}  // namespace zemtral
