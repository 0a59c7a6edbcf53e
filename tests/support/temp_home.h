#pragma once
// A fresh temporary application home for one test: created on construction, set as
// $ZEMTRAL_HOME, removed (and the variable restored) on destruction.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace zemtral::test {

class TempHome {
  public:
    TempHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zemtral-home-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
        if (const char* old = std::getenv("ZEMTRAL_HOME")) {
            m_previous = old;
        }
        ::setenv("ZEMTRAL_HOME", m_path.c_str(), 1);
    }
    ~TempHome() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
        if (m_previous) {
            ::setenv("ZEMTRAL_HOME", m_previous->c_str(), 1);
        } else {
            ::unsetenv("ZEMTRAL_HOME");
        }
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return m_path; }
    /// @brief A path inside the home.
    std::string file(const std::string& name) const {
        return (std::filesystem::path(m_path) / name).string();
    }

    /// @brief Writes raw bytes to a file in the home and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string p = file(name);
        std::filesystem::create_directories(std::filesystem::path(p).parent_path());
        std::ofstream out(p, std::ios::binary);
        out << bytes;
        return p;
    }

    /// @brief The raw bytes of a file (empty when it cannot be read).
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

  private:
    std::string m_path;
    std::optional<std::string> m_previous;
};

}  // namespace zemtral::test
