#include "data/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <utility>

#include "data/text_encoding.h"

namespace zemtral {
namespace {

// Closes the descriptor on every path out of a function.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

}  // namespace

FileBytes readFileBytes(const std::string& path) {
    FileBytes result;
    Descriptor file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0) {
        result.error = fileErrorFromErrno(errno, path, false);
        return result;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        result.error = fileErrorFromErrno(errno, path, false);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = fileErrorFromErrno(EISDIR, path, false);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = fileErrorFromErrno(errno, path, false);
            result.bytes.clear();
            return result;
        }
        if (n == 0) {
            break;
        }
        if (result.bytes.size() + static_cast<std::size_t>(n) > kMaxTextFileSize) {
            result.error.kind = FileErrorKind::TooLarge;
            result.error.path = path;
            result.bytes.clear();
            return result;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return result;
}

TextFileLines readTextFileLines(const std::string& path) {
    TextFileLines result;
    FileBytes file = readFileBytes(path);
    if (file.error.failed()) {
        result.error = std::move(file.error);
        return result;
    }
    result.lines = splitLines(decodeFileText(file.bytes));
    return result;
}

FileError writeFileAtomic(const std::string& path, const std::string& bytes) {
    struct stat target {};
    const bool targetExists = ::stat(path.c_str(), &target) == 0;
    if (targetExists && S_ISDIR(target.st_mode)) {
        return fileErrorFromErrno(EISDIR, path, true);
    }
    std::string temporary = path + ".tmp-XXXXXX";
    Descriptor file;
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file.fd < 0) {
        return fileErrorFromErrno(errno, path, true);
    }
    const auto fail = [&](int err) {
        ::unlink(temporary.c_str());
        return fileErrorFromErrno(err, path, true);
    };
    // A replaced file keeps its permissions; a new one gets the usual rw-r--r--.
    const mode_t mode = targetExists ? (target.st_mode & 07777) : 0644;
    if (::fchmod(file.fd, mode) != 0) {
        return fail(errno);
    }
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const ssize_t n = ::write(file.fd, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(file.fd) != 0) {
        return fail(errno);
    }
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) {
        return fail(errno);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    return {};
}

FileError writeTextFileLines(const std::string& path, const std::vector<std::string>& lines) {
    return writeFileAtomic(path, encodeFileLines(lines));
}

}  // namespace zemtral
