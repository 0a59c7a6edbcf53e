#include "data/project_file.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/model_catalogue.h"
#include "data/exp_data_set.h"
#include "data/field_reader.h"
#include "data/text_file.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

std::string unquoted(const std::string& line) {
    std::size_t a = 0, b = line.size();
    while (a < b && (line[a] == ' ' || line[a] == '\t')) {
        ++a;
    }
    while (b > a && (line[b - 1] == ' ' || line[b - 1] == '\t')) {
        --b;
    }
    if (b - a >= 2 && line[a] == '"' && line[b - 1] == '"') {
        return line.substr(a + 1, b - a - 2);
    }
    return line.substr(a, b - a);
}

// A comment or name must stay on its line and inside its quotes.
std::string oneLine(std::string text, bool dropQuotes) {
    std::string out;
    for (const char ch : text) {
        if (ch == '\r' || ch == '\n') {
            out += ' ';
        } else if (ch == '"' && dropQuotes) {
            out += '\'';
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace

DateTime currentDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

bool isLastSessionPath(const std::string& path) {
    const std::string tail = "ZEMLASTSESSION.ZC3";
    if (path.size() < tail.size()) {
        return false;
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char ch = path[path.size() - tail.size() + i];
        if (std::toupper(static_cast<unsigned char>(ch)) != tail[i]) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> projectFileLines(const ProjectContent& content, const DateTime& when) {
    std::vector<std::string> lines;
    lines.push_back("#" + zeroPadded(when.year, 4) + "-" + zeroPadded(when.month, 2) + "-" +
                    zeroPadded(when.day, 2) + " " + zeroPadded(when.hour, 2) + ":" +
                    zeroPadded(when.minute, 2) + ":" + zeroPadded(when.second, 2) + "#");
    // The comment line is read whole, so quotes inside it are harmless; the file name is a
    // quoted field and must not contain one.
    lines.push_back("\"" + oneLine(content.comment, false) + "\"");
    lines.push_back("\"" + oneLine(FileNameOnly(content.dataFileName), true) + "\"");
    lines.push_back(std::to_string(content.modelId));
    lines.push_back(formatDouble(content.rateConst[1]) + "," + formatDouble(content.rateConst[2]) + "," +
                    formatDouble(content.rateConst[3]));
    for (int i = 0; i < 4; ++i) {
        lines.emplace_back("0");
    }
    lines.emplace_back("0,0,0,0");
    lines.emplace_back("0");
    lines.emplace_back("0");
    lines.emplace_back("0,0");
    lines.emplace_back("\"x\"");
    lines.emplace_back("\"x\"");
    return lines;
}

FileError writeProjectFile(const std::string& path, const ProjectContent& content, const DateTime& when) {
    return writeTextFileLines(path, projectFileLines(content, when));
}

ProjectRead parseProjectFile(const std::vector<std::string>& lines, const std::string& path) {
    ProjectRead r;
    FileError& err = r.error;
    if (lines.size() < 2) {
        err = formatError(FileErrorKind::UnexpectedEnd, path, static_cast<int>(lines.size()) + 1);
        return r;
    }
    // Line 1, the date, is not needed.
    r.content.comment = unquoted(lines[1]);
    FieldReader fields(lines, 2, path);
    const auto name = fields.nextText(err);
    if (!name) {
        return r;
    }
    r.content.dataFileName = *name;
    const int modelLine = fields.lineNumber();
    const auto model = fields.nextNumber(err);
    if (!model) {
        return r;
    }
    const double id = *model;
    if (id != std::floor(id) || id < 1 || id > kMaxModelId || id == kReservedModelId) {
        err = formatError(FileErrorKind::InvalidModel, path, modelLine, formatDouble(id));
        return r;
    }
    r.content.modelId = static_cast<std::int16_t>(id);
    for (std::size_t i = 1; i <= 3; ++i) {
        const auto k = fields.nextNumber(err);
        if (!k) {
            return r;
        }
        r.content.rateConst[i] = *k;
    }
    // Reserved: 4 + 4 integers and 2 + 2 floats, read and ignored; then two texts.
    for (int i = 0; i < 12; ++i) {
        if (!fields.nextNumber(err)) {
            return r;
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (!fields.nextText(err)) {
            return r;
        }
    }
    return r;
}

ProjectRead readProjectFile(const std::string& path) {
    TextFileLines file = readTextFileLines(path);
    if (file.error.failed()) {
        ProjectRead r;
        r.error = file.error;
        return r;
    }
    return parseProjectFile(file.lines, path);
}

std::string readProjectComment(const std::string& path, FileError& error) {
    TextFileLines file = readTextFileLines(path);
    if (file.error.failed()) {
        error = file.error;
        return {};
    }
    if (file.lines.size() < 2) {
        error = formatError(FileErrorKind::UnexpectedEnd, path, static_cast<int>(file.lines.size()) + 1);
        return {};
    }
    return unquoted(file.lines[1]);
}

}  // namespace zemtral
