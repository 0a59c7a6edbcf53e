#include "data/field_reader.h"

#include <utility>

#include "numeric/number_text.h"

namespace zemtral {
namespace {

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

}  // namespace

FieldReader::FieldReader(const std::vector<std::string>& lines, std::size_t firstLine, std::string path)
    : m_lines(lines), m_line(firstLine), m_path(std::move(path)) {}

std::optional<std::string> FieldReader::nextLine() {
    if (m_line >= m_lines.size()) {
        return std::nullopt;
    }
    std::string rest = m_lines[m_line].substr(std::min(m_column, m_lines[m_line].size()));
    ++m_line;
    m_column = 0;
    return rest;
}

void FieldReader::skipBlanks() {
    while (m_line < m_lines.size()) {
        const std::string& line = m_lines[m_line];
        while (m_column < line.size() && isBlank(line[m_column])) {
            ++m_column;
        }
        if (m_column < line.size()) {
            return;
        }
        ++m_line;
        m_column = 0;
    }
}

bool FieldReader::atEnd() {
    skipBlanks();
    return m_line >= m_lines.size();
}

std::optional<FieldReader::Field> FieldReader::nextField() {
    skipBlanks();
    if (m_line >= m_lines.size()) {
        return std::nullopt;
    }
    const std::string& line = m_lines[m_line];
    Field field;
    field.line = lineNumber();
    if (line[m_column] == '"') {
        field.quoted = true;
        const std::size_t close = line.find('"', m_column + 1);
        const std::size_t end = close == std::string::npos ? line.size() : close;
        field.text = line.substr(m_column + 1, end - m_column - 1);
        // Text between the closing quote and the next comma does not belong to the field.
        const std::size_t comma = close == std::string::npos ? std::string::npos : line.find(',', close);
        m_column = comma == std::string::npos ? line.size() : comma + 1;
    } else {
        const std::size_t comma = line.find(',', m_column);
        const std::size_t end = comma == std::string::npos ? line.size() : comma;
        std::size_t last = end;
        while (last > m_column && isBlank(line[last - 1])) {
            --last;
        }
        field.text = line.substr(m_column, last - m_column);
        m_column = comma == std::string::npos ? line.size() : comma + 1;
    }
    if (m_column >= line.size()) {
        ++m_line;
        m_column = 0;
        m_lastFieldEndedLine = true;
    } else {
        m_lastFieldEndedLine = false;
    }
    return field;
}

bool FieldReader::restOfLineBlank() const {
    if (m_lastFieldEndedLine || m_line >= m_lines.size()) {
        return true;
    }
    const std::string& line = m_lines[m_line];
    for (std::size_t i = m_column; i < line.size(); ++i) {
        if (!isBlank(line[i])) {
            return false;
        }
    }
    return true;
}

std::optional<double> FieldReader::nextNumber(FileError& error) {
    const int lineBefore = lineNumber();
    const std::optional<Field> field = nextField();
    if (!field) {
        error = formatError(FileErrorKind::UnexpectedEnd, m_path, lineBefore);
        return std::nullopt;
    }
    if (field->text.empty()) {
        return 0.0;  // an empty field reads as 0, as in the Windows program
    }
    // A comma ends the field, so a decimal comma cannot appear here; a point is required.
    const std::optional<double> value = parseNumberExact(field->text);
    if (!value) {
        error = formatError(FileErrorKind::InvalidNumber, m_path, field->line, field->text);
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> FieldReader::nextText(FileError& error) {
    const int lineBefore = lineNumber();
    std::optional<Field> field = nextField();
    if (!field) {
        error = formatError(FileErrorKind::UnexpectedEnd, m_path, lineBefore);
        return std::nullopt;
    }
    return std::move(field->text);
}

}  // namespace zemtral
