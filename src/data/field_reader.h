#pragma once
// The field stream of the program's comma-separated files: a field ends at a comma or at a line
// end, blanks before a field are skipped, a field in double quotes loses its quotes, empty lines
// are skipped, and a record may continue on the next line.
#include <optional>
#include <string>
#include <vector>

#include "data/file_errors.h"

namespace zemtral {

class FieldReader {
  public:
    /// @brief One field and the 1-based line it stands in.
    struct Field {
        std::string text;
        int line = 0;
        bool quoted = false;
    };

    /// @brief Reads `lines` from the 0-based line index `firstLine` on.
    FieldReader(const std::vector<std::string>& lines, std::size_t firstLine, std::string path);

    /// @brief The rest of the current line whole (the whole line at a line start); nothing at the end.
    std::optional<std::string> nextLine();
    /// @brief The next field; nothing when the lines are exhausted.
    std::optional<Field> nextField();
    /// @brief True when only blanks follow on the line of the last field read (or the line ended).
    bool restOfLineBlank() const;
    /// @brief True when no further field follows.
    bool atEnd();
    /// @brief 1-based number of the line the reader stands in (the last line + 1 at the end).
    int lineNumber() const { return static_cast<int>(m_line) + 1; }

    /// @brief The next field as a finite number (an empty field is 0); sets `error` otherwise.
    std::optional<double> nextNumber(FileError& error);
    /// @brief The next field as text; sets `error` (unexpected end) when there is none.
    std::optional<std::string> nextText(FileError& error);

  private:
    void skipBlanks();

    const std::vector<std::string>& m_lines;
    std::size_t m_line;
    std::size_t m_column = 0;
    bool m_lastFieldEndedLine = true;
    std::string m_path;
};

}  // namespace zemtral
