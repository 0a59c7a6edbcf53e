#include "data/app_home.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "data/text_file.h"

#ifndef ZEMTRAL_INSTALLED_RESOURCE_DIR
#define ZEMTRAL_INSTALLED_RESOURCE_DIR ""
#endif
#ifndef ZEMTRAL_SOURCE_RESOURCE_DIR
#define ZEMTRAL_SOURCE_RESOURCE_DIR ""
#endif

namespace zemtral {
namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string executableDirectory() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::string applicationHomePath() {
    const std::string home = environment("ZEMTRAL_HOME");
    if (!home.empty()) {
        return home;
    }
    const std::string xdg = environment("XDG_DATA_HOME");
    if (!xdg.empty()) {
        return (fs::path(xdg) / "ZEMTRAL").string();
    }
    const std::string user = environment("HOME");
    return (fs::path(user.empty() ? "." : user) / ".local" / "share" / "ZEMTRAL").string();
}

FileError createApplicationHome(const std::string& home) {
    std::error_code ec;
    fs::create_directories(home, ec);
    if (ec) {
        return fileErrorFromErrno(ec.value(), home, true);
    }
    if (!fs::is_directory(home, ec)) {
        return fileErrorFromErrno(ENOTDIR, home, true);
    }
    return {};
}

std::string resourceDirectory() {
    const std::string fromEnvironment = environment("ZEMTRAL_RESOURCES");
    if (isDirectory(fromEnvironment)) {
        return fromEnvironment;
    }
    const std::string exeDir = executableDirectory();
    if (!exeDir.empty()) {
        const std::string beside =
            (fs::path(exeDir) / ".." / "share" / "zemtral").lexically_normal().string();
        if (isDirectory(beside)) {
            return beside;
        }
    }
    for (const char* configured : {ZEMTRAL_INSTALLED_RESOURCE_DIR, ZEMTRAL_SOURCE_RESOURCE_DIR}) {
        if (isDirectory(configured)) {
            return configured;
        }
    }
    return {};
}

SeedResult seedApplicationHome(const std::string& home, const std::vector<SeedFile>& files) {
    SeedResult result;
    for (const SeedFile& file : files) {
        const fs::path target = fs::path(home) / file.target;
        std::error_code ec;
        if (fs::exists(target, ec)) {
            continue;
        }
        fs::create_directories(target.parent_path(), ec);
        std::ifstream in(file.source, std::ios::binary);
        if (!in) {
            result.errors.push_back(fileErrorFromErrno(errno ? errno : ENOENT, file.source, false));
            continue;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            result.errors.push_back(fileErrorFromErrno(EIO, file.source, false));
            continue;
        }
        const FileError error = writeFileAtomic(target.string(), bytes);
        if (error.failed()) {
            result.errors.push_back(error);
        } else {
            ++result.copied;
        }
    }
    return result;
}

std::vector<SeedFile> sampleDataSeeds(const std::string& resourceDir) {
    std::vector<SeedFile> seeds;
    std::error_code ec;
    const fs::path samples = fs::path(resourceDir) / "samples";
    if (resourceDir.empty() || !fs::is_directory(samples, ec)) {
        return seeds;
    }
    for (const auto& entry : fs::directory_iterator(samples, ec)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char ch) { return std::toupper(ch); });
        if (entry.is_regular_file(ec) && ext == ".ZD3") {
            seeds.push_back({entry.path().string(), entry.path().filename().string()});
        }
    }
    std::sort(seeds.begin(), seeds.end(),
              [](const SeedFile& a, const SeedFile& b) { return a.target < b.target; });
    return seeds;
}

}  // namespace zemtral
