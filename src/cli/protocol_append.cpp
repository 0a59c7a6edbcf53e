#include "cli/protocol_append.h"

#include <unistd.h>

#include "data/file_lock.h"
#include "data/quoted_field.h"
#include "data/text_file.h"
#include "numeric/number_text.h"

namespace zemtral::cli {
namespace {

std::vector<std::string> splitBy(const std::string& line, const std::string& separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = line.find(separator, start);
        if (at == std::string::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, at - start));
        start = at + separator.size();
    }
}

}  // namespace

std::optional<ProtocolTable> parseProtocolLines(const std::vector<std::string>& lines,
                                                const std::string& separator) {
    std::size_t headerIndex = 0;
    while (headerIndex < lines.size() && !lines[headerIndex].empty()) {
        ++headerIndex;
    }
    ++headerIndex;
    if (headerIndex >= lines.size()) {
        return std::nullopt;
    }
    std::vector<int> columns;
    for (const std::string& name : splitBy(lines[headerIndex], separator)) {
        if (name.empty()) {
            continue;  // after the trailing separator
        }
        int column = -1;
        for (int c = 0; c < kProtocolColumnCount; ++c) {
            if (name == kProtocolColumnNames[static_cast<std::size_t>(c)]) {
                column = c;
            }
        }
        if (column < 0) {
            return std::nullopt;
        }
        columns.push_back(column);
    }
    ProtocolTable table;
    for (std::size_t l = headerIndex + 1; l < lines.size(); ++l) {
        if (lines[l].empty()) {
            continue;
        }
        const std::vector<std::string> fields = splitBy(lines[l], separator);
        std::array<float, kProtocolColumnCount> row{};
        for (std::size_t f = 0; f < columns.size(); ++f) {
            if (f >= fields.size()) {
                return std::nullopt;
            }
            const auto value = parseNumberExact(fields[f]);
            if (!value) {
                return std::nullopt;
            }
            row[static_cast<std::size_t>(columns[f])] = static_cast<float>(*value);
        }
        table.rows.push_back(row);
    }
    return table;
}

bool appendProtocolRow(const std::string& path, ProtocolSource source, const ProtocolValues& values,
                       const std::string& separator, std::string& message) {
    // Several runs appending to one file at once take turns; without the lock each would write
    // the rows it read plus its own, and the rows of the others would be lost.
    const FileLock lock(path);
    if (lock.error().failed()) {
        message = fileErrorDescription(lock.error());
        return false;
    }
    const auto fail = [&](std::string text) {
        message = std::move(text);
        if (lock.createdFile()) {
            ::unlink(path.c_str());  // the empty file made for the lock
        }
        return false;
    };
    ProtocolTable table;
    const TextFileLines read = readTextFileLines(path);
    if (read.error.failed()) {
        return fail(fileErrorDescription(read.error));
    }
    if (!read.lines.empty()) {
        const auto existing = parseProtocolLines(read.lines, separator);
        if (!existing) {
            return fail("Die Datei ist keine Protokolldatei mit dem Trennzeichen " + quotedField(separator) +
                        ": " + path);
        }
        table = *existing;
    }
    addProtocolRow(table, values);
    const FileError error =
        writeTextFileLines(path, protocolFileLines(table, source, currentDateTime(), separator, '.'));
    if (error.failed()) {
        return fail(fileErrorDescription(error));
    }
    return true;
}

}  // namespace zemtral::cli
