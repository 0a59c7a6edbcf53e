// Files and number texts must not depend on the C library's locale: the desktop program runs
// under the user's locale (QApplication sets it from the environment), and a German locale once
// turned "1.5" into ".1,5" in written files.
#include <clocale>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "data/data_file.h"
#include "data/project_file.h"
#include "data/protocol_table.h"
#include "data/text_file.h"
#include "data/xy_list.h"
#include "numeric/number_text.h"
#include "session/diagram_window_draw.h"
#include "support/temp_home.h"

namespace zemtral {
namespace {

namespace fs = std::filesystem;

// Switches the C library to de_DE.UTF-8 for the life of the object.
class GermanLocale {
  public:
    GermanLocale() : m_previous(std::setlocale(LC_ALL, nullptr)) {
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;
    bool active() const { return m_active; }

  private:
    std::string m_previous;
    bool m_active = false;
};

ExpDataSet dataSet() {
    ExpDataSet set;
    set.dataComment = "Zerfall, 25,5 °C";
    set.timeUnit = "min";
    set.lambdaInf = 0.915;
    for (int i = 1; i <= 3; ++i) {
        ExpPoint p;
        p.t = 1.5 * i;
        p.c[1] = 0.02 / i;
        p.c[5] = -123456.8;
        p.T = 298.15;
        p.k = 2.5e-9 * i;
        p.lambda = 2.48f;
        p.exclude = i == 2 ? -1 : 0;
        set.points.push_back(p);
    }
    set.pointCount = 3;
    return set;
}

ProjectContent project() {
    ProjectContent content;
    content.comment = "Projekt 1,5";
    content.dataFileName = "zerfall.ZD3";
    content.modelId = 9;
    content.rateConst = {0.0, 0.15, 2.5e-9, -123456.8};
    return content;
}

XyList xyList() {
    XyList list;
    list.comment = "Kurve";
    list.points.push_back({1.5f, 0.25f, 0.0f});
    list.points.push_back({0.0f, -123456.8f, 0.0f});
    return list;
}

// Every file the core writes, by name, with its bytes.
std::map<std::string, std::string> writeEveryFile(const fs::path& dir) {
    const DateTime when{2026, 12, 8, 9, 5, 3};
    EXPECT_FALSE(writeDataFile((dir / "daten.ZD3").string(), dataSet()).failed());
    EXPECT_FALSE(writeProjectFile((dir / "projekt.ZC3").string(), project(), when).failed());
    EXPECT_FALSE(writeProjectFile((dir / kLastSessionFileName).string(), project(), when).failed());
    EXPECT_FALSE(writeXyFile((dir / "liste.XY").string(), xyList(), ";").failed());
    const std::vector<ChartPoint> curve{{1.5, 0.25}, {0.0, -123456.8}};
    EXPECT_FALSE(writeTextFileLines((dir / "kurve.XY").string(), curveExportLines(curve, ";")).failed());
    ProtocolTable table;
    ProtocolValues values{};
    values[0] = 1.5f;
    values[13] = 0.9f;
    values[16] = -123456.8f;
    addProtocolRow(table, values);
    EXPECT_FALSE(writeTextFileLines((dir / "261208.CSV").string(),
                                    protocolFileLines(table, ProtocolSource::BatchReactor, when, ";", '.'))
                     .failed());
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()].assign(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// What the readers make of the files in `dir`.
struct ReadBack {
    DataFileRead data;
    ProjectRead project;
    XyFileRead xy;
    XyFileRead curve;
};

ReadBack readEveryFile(const fs::path& dir) {
    return {readDataFile((dir / "daten.ZD3").string()), readProjectFile((dir / "projekt.ZC3").string()),
            readXyFile((dir / "liste.XY").string()), readXyFile((dir / "kurve.XY").string())};
}

void expectSameContent(const ReadBack& a, const ReadBack& b) {
    ASSERT_FALSE(a.data.error.failed() || b.data.error.failed());
    EXPECT_EQ(a.data.content.points, b.data.content.points);
    EXPECT_EQ(a.data.content.lambdaInf, b.data.content.lambdaInf);
    ASSERT_FALSE(a.project.error.failed() || b.project.error.failed());
    EXPECT_EQ(a.project.content.rateConst, b.project.content.rateConst);
    ASSERT_FALSE(a.xy.error.failed() || b.xy.error.failed() || a.curve.error.failed() ||
                 b.curve.error.failed());
    EXPECT_EQ(a.xy.points, b.xy.points);
    EXPECT_EQ(a.curve.points, b.curve.points);
}

TEST(LocaleIndependence, EveryFileIsByteIdenticalAndReadsBackTheSameUnderAGermanLocale) {
    test::TempHome home;
    const fs::path cDir = fs::path(home.path()) / "c";
    const fs::path deDir = fs::path(home.path()) / "de";
    fs::create_directories(cDir);
    fs::create_directories(deDir);

    const auto written = writeEveryFile(cDir);
    const ReadBack readUnderC = readEveryFile(cDir);
    ASSERT_EQ(written.size(), 6u);
    EXPECT_NE(written.at("daten.ZD3").find("-123456.8"), std::string::npos) << written.at("daten.ZD3");
    EXPECT_NE(written.at("kurve.XY").find(".1500000E+01;.2500000E+00"), std::string::npos);
    EXPECT_NE(written.at("261208.CSV").find("1.5;0.9;-123456.8;"), std::string::npos);

    std::map<std::string, std::string> writtenGerman;
    ReadBack cFilesReadUnderGerman, germanFilesReadUnderGerman;
    {
        GermanLocale german;
        ASSERT_TRUE(german.active()) << "de_DE.UTF-8 is missing: scripts/install-deps.sh generates it";
        ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
        writtenGerman = writeEveryFile(deDir);
        cFilesReadUnderGerman = readEveryFile(cDir);
        germanFilesReadUnderGerman = readEveryFile(deDir);
    }
    EXPECT_EQ(written, writtenGerman);
    expectSameContent(readUnderC, cFilesReadUnderGerman);
    expectSameContent(readUnderC, germanFilesReadUnderGerman);
    expectSameContent(readUnderC, readEveryFile(deDir));
    EXPECT_EQ(readUnderC.data.content.points[0].c[5], -123456.8);
}

TEST(LocaleIndependence, NumberTextsAndReadingIgnoreTheCLocale) {
    const double values[] = {0.0, 1.5, -123456.8, 298.15, 2.5e-9, 6.9, 1e21, -0.00012345, 12345678.9};
    const char* patterns[] = {"0.00",     "#####0.00", "0.000000E+00", ".0000000E+00",
                              "0.0 E+##", "###.0",     "####,##",      "0.000#"};
    auto texts = [&] {
        std::vector<std::string> out;
        for (const double v : values) {
            for (const char* p : patterns) {
                out.push_back(formatNumber(v, p));
                out.push_back(formatNumber(v, p, ','));
            }
            out.push_back(formatSingle(static_cast<float>(v)));
            out.push_back(formatDouble(v, ','));
        }
        for (const char* typed : {"1,5", "-2.5e3", " 6.9 s", "1D2", "0,000125"}) {
            out.push_back(formatDouble(parseNumber(typed)));
            out.push_back(formatDouble(parseNumberExact(typed).value_or(-1.0)));
        }
        return out;
    };
    const auto underC = texts();
    EXPECT_EQ(formatNumber(-123456.8, ".0000000E+00"), "-.1234568E+06");
    EXPECT_EQ(formatNumber(6.9, "#######0.00", ','), "6,90");
    EXPECT_EQ(formatSingle(1.234568e7f), "1.234568E+07");
    GermanLocale german;
    ASSERT_TRUE(german.active());
    EXPECT_EQ(texts(), underC);
}

}  // namespace
}  // namespace zemtral
