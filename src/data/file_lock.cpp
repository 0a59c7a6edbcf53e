#include "data/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "data/text_file.h"

namespace zemtral {

FileLock::FileLock(const std::string& path) {
    // Each round either holds the lock or saw another process replace or create the file; a
    // path that keeps changing under us that often is reported instead of waited for forever.
    constexpr int kMaxRounds = 10000;
    for (int round = 0; round < kMaxRounds; ++round) {
        // Read access suffices for flock, so a write-protected file can be locked (and its
        // writer then refuses it with the proper message). A missing file is created where a
        // symbolic link points, as the writer will write there.
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(resolveSymbolicLinks(path).c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            m_created = fd >= 0;
            if (fd < 0 && errno == EEXIST) {
                continue;  // another process created it in between
            }
        }
        if (fd < 0) {
            m_error = fileErrorFromErrno(errno, path, true);
            return;
        }
        int locked = 0;
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            m_error = fileErrorFromErrno(errno, path, true);
            ::close(fd);
            return;
        }
        // The holder before us may have renamed a new file over the one we waited for.
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            return;
        }
        ::close(fd);
        m_created = false;
    }
    m_error = fileErrorFromErrno(EBUSY, path, true);
}

FileLock::~FileLock() {
    if (m_fd >= 0) {
        ::close(m_fd);  // releases the lock
    }
}

}  // namespace zemtral
