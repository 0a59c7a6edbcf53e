#include "data/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
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

std::string resolveSymbolicLinks(const std::string& path) {
    // Linux gives up after 40 links as well; a longer chain is a loop.
    constexpr int kMaxLinks = 40;
    std::filesystem::path current(path);
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
            return current.string();
        }
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) {
            return current.string();
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current.string();
}

FileError writeFileAtomic(const std::string& path, const std::string& bytes) {
    // A symbolic link stays a link: the file it points to receives the new content.
    const std::string target = resolveSymbolicLinks(path);
    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    if (targetExists && S_ISDIR(existing.st_mode)) {
        return fileErrorFromErrno(EISDIR, path, true);
    }
    // A write-protected file is left alone, as editors do, even where the folder would allow
    // replacing it and even for root, whom access() never refuses.
    if (targetExists) {
        const int accessError = ::access(target.c_str(), W_OK) == 0 ? 0 : errno;
        if (accessError == EROFS) {
            return fileErrorFromErrno(EROFS, path, true);
        }
        if ((existing.st_mode & 0222) == 0 || accessError == EACCES) {
            FileError error;
            error.kind = FileErrorKind::ReadOnlyFile;
            error.path = path;
            return error;
        }
    }
    std::string temporary = target + ".tmp-XXXXXX";
    Descriptor file;
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file.fd < 0) {
        return fileErrorFromErrno(errno, path, true);
    }
    const auto fail = [&](int err) {
        ::unlink(temporary.c_str());
        return fileErrorFromErrno(err, path, true);
    };
    // A replaced file keeps its permissions and, where the system allows, its owner and group;
    // a new one gets the usual rw-r--r--.
    const mode_t mode = targetExists ? (existing.st_mode & 07777) : 0644;
    if (targetExists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        [[maybe_unused]] const int ignored = ::fchown(file.fd, existing.st_uid, existing.st_gid);
    }
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
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    // The rename lives in the folder: only a synced folder keeps it after a power cut. File
    // systems that cannot sync a folder say EINVAL; that is no failure of the save.
    Descriptor folder;
    const std::string folderPath = std::filesystem::path(target).parent_path().string();
    folder.fd = ::open(folderPath.empty() ? "." : folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd >= 0 && ::fsync(folder.fd) != 0 && errno != EINVAL && errno != EROFS) {
        return fileErrorFromErrno(errno, path, true);
    }
    return {};
}

FileError writeTextFileLines(const std::string& path, const std::vector<std::string>& lines) {
    return writeFileAtomic(path, encodeFileLines(lines));
}

}  // namespace zemtral
