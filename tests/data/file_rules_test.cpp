#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/file_lock.h"
#include "data/quoted_field.h"
#include "data/text_file.h"
#include "support/temp_home.h"

namespace zemtral {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int entriesIn(const fs::path& folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A file without write permission is the owner's "do not change"; the folder's permission to
// replace it does not override that, and neither does running as root.
TEST(FileRules, WriteProtectedFileIsRefusedAndLeftAsItWas) {
    test::TempHome home;
    const std::string path = home.file("alt.ZD3");
    ASSERT_FALSE(writeFileAtomic(path, "vorher").failed());
    for (const mode_t mode : {0444, 0400, 0000}) {
        ::chmod(path.c_str(), mode);
        const FileError error = writeFileAtomic(path, "nachher");
        EXPECT_EQ(error.kind, FileErrorKind::ReadOnlyFile) << std::oct << mode;
        EXPECT_EQ(fileErrorDescription(error), "Die Datei ist schreibgeschützt: " + path);
        ::chmod(path.c_str(), 0600);
        EXPECT_EQ(contentOf(path), "vorher");
    }
    EXPECT_EQ(entriesIn(home.path()), 1);  // no temporary file left behind

    // Writable by its owner: replaced, and its mode kept.
    ::chmod(path.c_str(), 0640);
    ASSERT_FALSE(writeFileAtomic(path, "nachher").failed());
    EXPECT_EQ(contentOf(path), "nachher");
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(FileRules, SymbolicLinksAreWrittenThrough) {
    test::TempHome home;
    fs::create_directory(fs::path(home.path()) / "daten");
    const fs::path target = fs::path(home.path()) / "daten" / "messung.ZD3";
    ASSERT_FALSE(writeFileAtomic(target.string(), "alt").failed());
    // A relative link, and a link to that link.
    const fs::path link = fs::path(home.path()) / "verweis.ZD3";
    const fs::path second = fs::path(home.path()) / "zweiter.ZD3";
    fs::create_symlink("daten/messung.ZD3", link);
    fs::create_symlink("verweis.ZD3", second);

    ASSERT_FALSE(writeFileAtomic(second.string(), "neu").failed());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(second)));
    EXPECT_EQ(contentOf(target), "neu");
    EXPECT_EQ(resolveSymbolicLinks(second.string()), target.string());

    // A link to a file not yet there: the file is created where the link points.
    const fs::path dangling = fs::path(home.path()) / "neu.ZD3";
    fs::create_symlink("daten/spaeter.ZD3", dangling);
    ASSERT_FALSE(writeFileAtomic(dangling.string(), "erst jetzt").failed());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
    EXPECT_EQ(contentOf(fs::path(home.path()) / "daten" / "spaeter.ZD3"), "erst jetzt");

    // A write-protected file behind a link is refused like the file itself.
    ::chmod(target.c_str(), 0444);
    EXPECT_EQ(writeFileAtomic(link.string(), "nein").kind, FileErrorKind::ReadOnlyFile);
    EXPECT_EQ(contentOf(target), "neu");
}

TEST(FileRules, ReadingStopsAtTheSizeLimit) {
    const FileBytes endless = readFileBytes("/dev/zero");
    EXPECT_EQ(endless.error.kind, FileErrorKind::TooLarge);
    EXPECT_TRUE(endless.bytes.empty());
    EXPECT_EQ(fileErrorDescription(endless.error), "Die Datei ist zu groß: /dev/zero");
}

// The lock follows the file that the path names: a holder that replaced the file by renaming
// leaves the next one locking the new file, not the old one that nobody reads any more.
TEST(FileRules, LockCreatesTheMissingFileAndLocksTheCurrentOne) {
    test::TempHome home;
    const std::string path = home.file("26120701.CSV");
    {
        const FileLock lock(path);
        ASSERT_FALSE(lock.error().failed());
        EXPECT_TRUE(lock.createdFile());
        EXPECT_TRUE(fs::exists(path));
        ASSERT_FALSE(writeFileAtomic(path, "Zeile 1\r\n").failed());
    }
    const FileLock again(path);
    ASSERT_FALSE(again.error().failed());
    EXPECT_FALSE(again.createdFile());
    EXPECT_EQ(contentOf(path), "Zeile 1\r\n");
    // Missing folder: the error of creating the file.
    EXPECT_EQ(FileLock(home.file("fehlt/x.CSV")).error().kind, FileErrorKind::PathNotFound);
}

TEST(QuotedField, LongFieldsAreCutAndControlBytesEscaped) {
    EXPECT_EQ(quotedField("abc"), "'abc'");
    EXPECT_EQ(quotedField(""), "''");
    EXPECT_EQ(quotedField("1,5\tx"), "'1,5\\x09x'");
    EXPECT_EQ(quotedField("Größe"), "'Größe'");  // UTF-8 stays readable
    // Bytes that are no UTF-8 (a binary file, a Latin-1 byte), a lone continuation byte, DEL
    // and the C1 controls are escaped one by one.
    EXPECT_EQ(quotedField(std::string("\xff\xfe"
                                      "a\x80\x7f",
                                      5)),
              "'\\xFF\\xFEa\\x80\\x7F'");
    EXPECT_EQ(quotedField("\xc2\x85"), "'\\xC2\\x85'");
    EXPECT_EQ(quotedField("\xc3"), "'\\xC3'");  // cut-off sequence at the end

    const std::string huge(100000, '7');
    const std::string quoted = quotedField(huge);
    EXPECT_EQ(quoted, "'" + std::string(kQuotedFieldLength, '7') + "...'");
    EXPECT_EQ(quotedField(std::string(kQuotedFieldLength, 'x')).find("..."), std::string::npos);
    // A cut never splits a character.
    const std::string umlauts = quotedField(std::string(60, 'a') + "ä");
    EXPECT_EQ(quotedField(std::string(39, 'a') + "äb"), "'" + std::string(39, 'a') + "ä...'");
    EXPECT_EQ(umlauts.size(), kQuotedFieldLength + 5);
}

}  // namespace
}  // namespace zemtral
