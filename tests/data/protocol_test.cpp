#include "data/protocol_table.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "session/data_commands.h"
#include "session/protocol_commands.h"
#include "support/recording_dialogs.h"
#include "support/temp_home.h"
#include "test_paths.h"

namespace zemtral {
namespace {

using test::RecordingDialogs;
using test::TempHome;

const DateTime kDay{2026, 12, 7, 14, 0, 0};

ProtocolValues row(std::initializer_list<std::pair<int, double>> entries) {
    ProtocolValues v{};
    for (const auto& [column, value] : entries) {
        v[static_cast<std::size_t>(column)] = value;
    }
    return v;
}

Session batchSession(const TempHome& home) {
    Session s;
    s.appHome = home.path();
    s.protocol.fileName = SetAutoProtName(home.path(), kDay);
    s.protocol.source = ProtocolSource::BatchReactor;
    return s;
}

TEST(Protocol, FileMatchesTheExpectedFileByteForByte) {
    TempHome home;
    Session s = batchSession(home);
    RecordingDialogs dialogs;
    // Columns 0 c_A(A), 1 c_A(B), 5 c_E(A), 10 k1, 13 U(A), 14 t, 16 V, 18 ksi(1); the length
    // (15) is 0 in every row and is left out.
    addProtocolRow(
        s, dialogs,
        row({{0, 1}, {1, 0.5}, {5, 0.25}, {10, 0.15}, {13, 0.75}, {14, 9.242592}, {16, 2.5}, {18, 0.75}}));
    addProtocolRow(s, dialogs,
                   row({{0, 2}, {5, 1.2}, {10, 0.15}, {13, 0.4}, {14, 3.405504}, {16, 1.25}, {18, -0.8}}));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(s.protocol.fileOpen);
    ASSERT_TRUE(schreibProtFileAndClose(s, dialogs, kDay));
    EXPECT_EQ(s.protocol.fileName, "26120701.CSV");
    const std::string expected =
        TempHome::read(std::string(ZEMTRAL_SOURCE_DIR) + "/tests/data/expected/protocol_batch.CSV");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(TempHome::read(home.file("26120701.CSV")), expected);
}

TEST(Protocol, HeaderLinesPerSourceAndDecimalComma) {
    ProtocolTable t;
    addProtocolRow(t, row({{0, 0.5}, {19, -1.25e-7}}));
    auto lines = protocolFileLines(t, ProtocolSource::StirredTank, kDay, "\t", ',');
    EXPECT_EQ(lines[2], "Calculation of a Continuous Stirred Tank Reactor (CSTR)");
    EXPECT_EQ(lines[6], "c_A(A)\t ksi(2)\t");
    EXPECT_EQ(lines[7], "0,5\t-1,25E-07\t");
    lines = protocolFileLines(t, ProtocolSource::TubularReactor, kDay, ";", '.');
    EXPECT_EQ(lines[2], "Calculation of a Tubular Flow Reactor (TFR)");
    lines = protocolFileLines(t, ProtocolSource::Simulation, kDay, ";", '.');
    EXPECT_EQ(lines.size(), 7u);  // no calculation line
    EXPECT_EQ(lines[5], "c_A(A); ksi(2);");
    EXPECT_EQ(protocolSeparatorOfEntry(0), ";");
    EXPECT_EQ(protocolSeparatorOfEntry(1), ",");
    EXPECT_EQ(protocolSeparatorOfEntry(2), "\t");
}

TEST(Protocol, AutomaticNamesCountOnBeyondNinetyNine) {
    TempHome home;
    EXPECT_EQ(SetAutoProtName(home.path(), kDay), "26120701.CSV");
    home.write("26120701.CSV", "");
    home.write("26120702.CSV", "x");
    EXPECT_EQ(SetAutoProtName(home.path(), kDay), "26120703.CSV");
    EXPECT_EQ(SetAutoProtName(home.path(), DateTime{2030, 1, 2}), "30010201.CSV");
    for (int i = 3; i <= 99; ++i) {
        home.write("261207" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".CSV", "x");
    }
    EXPECT_EQ(SetAutoProtName(home.path(), kDay), "261207100.CSV");
}

TEST(Protocol, CommaSeparatorWarnsUnderADecimalCommaLocaleButAddsTheRow) {
    TempHome home;
    Session s = batchSession(home);
    s.protocol.separator = ",";
    s.decimalComma = true;
    RecordingDialogs dialogs;
    addProtocolRow(s, dialogs, row({{0, 1}}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Warnung");
    EXPECT_EQ(
        dialogs.last().text,
        "Bei Computereinstellung \"Deutschland\" (Dezimalzeichen Komma)\r\nist Komma als Dateitrennzeichen "
        "nicht sinnvoll; der Clipboard-Inhalt\r\nist nicht mehr Excel-kompatibel.\r\nEmpfehlung: Semikolon");
    EXPECT_EQ(s.protocol.table.rows.size(), 1u);
    s.decimalComma = false;
    addProtocolRow(s, dialogs, row({{0, 1}}));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(Protocol, ClosingWritesCopiesToTheClipboardAndTakesTheNextName) {
    TempHome home;
    Session s = batchSession(home);
    RecordingDialogs dialogs;
    addProtocolRow(s, dialogs, row({{0, 1}, {14, 2.5}}));
    ASSERT_TRUE(closeProtocol(s, dialogs, kDay));
    EXPECT_TRUE(std::filesystem::exists(home.file("26120701.CSV")));
    EXPECT_NE(dialogs.clipboard.find("\r\nc_A(A)\tt\t\r\n1\t2.5\t\r\n"), std::string::npos);
    EXPECT_EQ(dialogs.clipboard.rfind("\r\n"), dialogs.clipboard.size() - 2);
    EXPECT_EQ(s.protocol.fileName, "26120702.CSV");
    EXPECT_FALSE(s.protocol.fileOpen);
    EXPECT_TRUE(s.protocol.table.rows.empty());

    // An empty file of the current name is removed; the clipboard stays as it was.
    home.write("26120702.CSV", "");
    dialogs.clipboard = "vorher";
    ASSERT_TRUE(closeProtocol(s, dialogs, kDay));
    EXPECT_FALSE(std::filesystem::exists(home.file("26120702.CSV")));
    EXPECT_EQ(dialogs.clipboard, "vorher");
    EXPECT_EQ(s.protocol.fileName, "26120702.CSV");
}

TEST(Protocol, WriteErrorsAreReportedAndTheRowsKept) {
    TempHome home;
    Session s = batchSession(home);
    s.protocol.fileName = home.file("fehlt/p.CSV");
    RecordingDialogs dialogs;
    addProtocolRow(s, dialogs, row({{0, 1}}));
    EXPECT_FALSE(closeProtocol(s, dialogs, kDay));
    EXPECT_EQ(dialogs.last().title, "Meldung von schreibProtFileAndClose");
    EXPECT_EQ(dialogs.last().text, "Pfad nicht gefunden: " + home.file("fehlt/p.CSV"));
    EXPECT_EQ(s.protocol.table.rows.size(), 1u);
    EXPECT_TRUE(s.protocol.fileOpen);
}

TEST(Protocol, FileLocationsOfANewSession) {
    TempHome home;
    Session s;
    setUpFileLocations(s, home.path());
    EXPECT_EQ(s.lastSessionPath, home.file("ZemLastSession.ZC3"));
    EXPECT_EQ(s.data.dataDir, home.path());
    EXPECT_EQ(s.projectDir, home.path());
    EXPECT_EQ(s.xy.xyDir, home.path());
    EXPECT_EQ(s.protocol.separator, ";");
    EXPECT_EQ(s.protocol.fileName.size(), 12u);
    EXPECT_EQ(s.protocol.fileName.substr(6), "01.CSV");
}

}  // namespace
}  // namespace zemtral
