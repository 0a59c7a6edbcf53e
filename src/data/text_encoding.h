#pragma once
// Text encodings of the program's files. The program holds UTF-8 in memory; its files are written
// in Windows-1252 with CR LF line ends so that files exchanged with the Windows program keep their
// umlauts. Readers also accept UTF-8 and LF-only (or CR-only) files.
#include <string>
#include <string_view>
#include <vector>

namespace zemtral {

/// @brief Windows-1252 bytes to UTF-8. The five bytes without a character in the code page
/// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control of the same value, so nothing is lost.
std::string cp1252ToUtf8(std::string_view bytes);

/// @brief UTF-8 text to Windows-1252 bytes; a character the code page cannot hold becomes '?',
/// and so does each byte of an invalid UTF-8 sequence.
std::string utf8ToCp1252(std::string_view utf8);

/// @brief True when the bytes are valid UTF-8 (ASCII included).
bool isValidUtf8(std::string_view bytes);

/// @brief File bytes to UTF-8: a UTF-8 byte-order mark is dropped; bytes that are valid UTF-8
/// are taken as UTF-8, anything else as Windows-1252.
std::string decodeFileText(std::string_view bytes);

/// @brief Splits text into lines at CR LF, LF or a lone CR. A line end after the last line does
/// not start another line; the empty text has no line.
std::vector<std::string> splitLines(std::string_view text);

/// @brief Lines to Windows-1252 file bytes, every line followed by CR LF.
std::string encodeFileLines(const std::vector<std::string>& lines);

}  // namespace zemtral
