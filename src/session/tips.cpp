#include "session/tips.h"

#include "data/text_file.h"

namespace zemtral {

std::optional<std::vector<std::string>> readTips(const std::string& path) {
    const TextFileLines file = readTextFileLines(path);
    if (file.error.failed()) {
        return std::nullopt;
    }
    std::vector<std::string> tips;
    for (const std::string& line : file.lines) {
        if (line.find_first_not_of(" \t") != std::string::npos) {
            tips.push_back(line);
        }
    }
    return tips;
}

std::string tipsNotFoundText(const std::string& path) {
    return std::string("Die Datei ") + kTipsFileName + " wurde nicht gefunden \n\n" + path;
}

int nextTipIndex(int current, int count) {
    if (count <= 0) {
        return 0;
    }
    return (current + 1) % count;
}

}  // namespace zemtral
