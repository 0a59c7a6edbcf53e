#include "session/reactor_commands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/number_text.h"

#include "support/recording_dialogs.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;
using test::RecordingDialogs;

BatchFieldTexts batchFields() {
    BatchFieldTexts f;
    f[0] = "1";
    f[1] = "0";
    f[2] = "0";
    f[3] = "0";
    f[4] = "0";
    f[10] = "0,2";  // a comma is a decimal point
    f[11] = "0.2";
    f[12] = "0";
    f[13] = "0";
    f[14] = "5";
    return f;
}

TEST(BatchCommand, TimeGivenFillsFieldsStateAndProtocol) {
    Session session;
    session.state.modelId = 2;
    session.reactorInputChoice = 0;
    RecordingDialogs dialogs;
    const auto result = batchCalculate(session, dialogs, batchFields());
    ASSERT_TRUE(result.success);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(result.fields[5], "0.3678795");
    EXPECT_EQ(result.fields[8], "0.6321205");
    EXPECT_EQ(result.fields[13], "0.6321205");
    EXPECT_EQ(result.fields[14], "5");
    EXPECT_DOUBLE_EQ(session.state.rateConst[1], 0.2);
    EXPECT_DOUBLE_EQ(session.state.conc0[kSlotA], 1.0);
    EXPECT_DOUBLE_EQ(session.reactionTime, 5.0);
    EXPECT_TRUE(near(session.conversionA, 0.6321205588, 1e-9));
    EXPECT_TRUE(near(session.reactorResultConcentrations[kSlotA], 0.3678794412, 1e-9));
    EXPECT_TRUE(near(session.extentsOfReaction[1], 0.6321205588, 1e-9));
    EXPECT_EQ(session.reactorProtocolValues[kProtocolTime], 5.0);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolK1 + 1], 0.0) << "k2 is not shown for model 2";
    EXPECT_EQ(extentsText(2, session.extentsOfReaction), "ksi(1)/(kmol/m^3) = 0.6321205");
}

TEST(BatchCommand, ConversionGivenFindsTheTime) {
    Session session;
    session.state.modelId = 2;
    session.reactorInputChoice = 1;
    RecordingDialogs dialogs;
    BatchFieldTexts f = batchFields();
    f[13] = "0.5";
    const auto result = batchCalculate(session, dialogs, f);
    ASSERT_TRUE(result.success);
    EXPECT_TRUE(near(session.reactionTime, std::log(2.0) / 0.2, 1e-5));
    EXPECT_EQ(result.fields[13], "0.5");
    EXPECT_TRUE(near(parseNumber(result.fields[14]), std::log(2.0) / 0.2, 1e-5));
    EXPECT_DOUBLE_EQ(result.conversion, 0.5);
}

TEST(BatchCommand, RefusalsAreShownWordForWordAndLeaveTheFields) {
    Session session;
    session.state.modelId = 8;
    session.reactorInputChoice = 1;
    RecordingDialogs dialogs;
    BatchFieldTexts f = batchFields();
    f[10] = "0.5";
    f[11] = "0.5";
    f[13] = "0.6";
    auto result = batchCalculate(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.fields, f);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "keine Ausführung möglich");
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.last().text,
              "- der Vorgabe-Umsatz U(A) kann bei dieser Gleichgewichtsreaktion\r\n"
              "  mit den gegebenen Anfangskonzentrationen nicht erreicht werden.\r\n\r\n"
              "  (U(A)(max) = 0.500)");

    session.state.modelId = 4;
    session.reactorInputChoice = 0;
    f = batchFields();
    f[10] = "0";
    f[14] = "";
    result = batchCalculate(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(dialogs.last().title, "keine Ausführung möglich");
    EXPECT_EQ(dialogs.last().text,
              "- noch keine Eingabe der Reaktionszeit\r\n"
              "- noch keine Eingabe einer Anfangskonzentration c(B)(0)\r\n"
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
}

CstrFieldTexts cstrFields() {
    CstrFieldTexts f;
    f[0] = "1";
    f[10] = "0.25";
    f[13] = "0.5";
    f[14] = "2";
    f[15] = "0.5";
    f[16] = "0";
    return f;
}

TEST(CstrCommand, EveryOptionFillsItsComputedFields) {
    Session session;
    session.state.modelId = 2;
    RecordingDialogs dialogs;
    session.cstrInputChoice = 2;  // V and V* given
    auto result = cstrStart(session, dialogs, cstrFields());
    ASSERT_TRUE(result.success);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(result.fields[16], "4");
    EXPECT_EQ(result.fields[13], "0.5");
    EXPECT_EQ(result.fields[5], "0.5");
    EXPECT_DOUBLE_EQ(session.reactionTime, 4.0);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolVolume], 2.0);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolFlow], 0.5);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolTime], 4.0);

    session.cstrInputChoice = 0;  // U and V given
    CstrFieldTexts f = cstrFields();
    f[15] = "";
    result = cstrStart(session, dialogs, f);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(result.fields[15], "0.5");
    EXPECT_EQ(result.fields[16], "4");
}

TEST(CstrCommand, RefusalAndFailureMessages) {
    Session session;
    session.state.modelId = 5;
    session.cstrInputChoice = 3;
    RecordingDialogs dialogs;
    CstrFieldTexts f = cstrFields();
    f[16] = "0";
    auto result = cstrStart(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(
        dialogs.last().text,
        "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht an\r\n"
        "- Die Zeitangabe muss größer Null sein.\r\n");

    session.state.modelId = 1;
    f = cstrFields();
    f[10] = "0.5";
    f[16] = "10";
    result = cstrStart(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.fields, f);
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(dialogs.last().text,
              "Berechnungsfehler aufgetreten.\r\nDie Iteration fand keinen stationären Zustand mit 0 <= U(A) "
              "<= 1.");
}

TEST(TubeCommand, LengthGivenAndRefusal) {
    Session session;
    session.state.modelId = 2;
    session.tubeInputChoice = 1;
    RecordingDialogs dialogs;
    TubeFieldTexts f;
    f[0] = "1";
    f[10] = "0.2";
    f[15] = "10";
    f[16] = "2";
    auto result = tubeCalculate(session, dialogs, f);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(result.fields[14], "5");
    EXPECT_EQ(result.fields[13], "0.6321205");
    EXPECT_EQ(session.reactorProtocolValues[kProtocolLength], 10.0);

    f[16] = "0";
    result = tubeCalculate(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(dialogs.last().title, "keine Ausführung möglich");
    EXPECT_EQ(dialogs.last().text, "- noch keine Eingabe der Fließgeschwindigkeit\r\n");
}

// A result beyond the range of the single-precision fields and protocol columns is refused with
// "Überlauf" under the routine's title, instead of showing or logging "inf".
TEST(ReactorCommands, ResultsBeyondSinglePrecisionAreRefused) {
    Session session;
    session.state.modelId = 2;
    RecordingDialogs dialogs;
    BatchFieldTexts batch = batchFields();
    batch[14] = "1e39";
    const auto b = batchCalculate(session, dialogs, batch);
    EXPECT_FALSE(b.success);
    EXPECT_EQ(b.fields, batch);
    EXPECT_EQ(dialogs.last().title, "Meldung von CalcBatchKessel");
    EXPECT_EQ(dialogs.last().text, reactorOverflowText());
    EXPECT_EQ(reactorOverflowText().rfind("Überlauf", 0), 0u);

    session.tubeInputChoice = 0;
    TubeFieldTexts tube;
    tube[0] = "1";
    tube[10] = "0.2";
    tube[14] = "1e20";
    tube[16] = "1e30";  // l = v·t = 1e50 m
    EXPECT_FALSE(tubeCalculate(session, dialogs, tube).success);
    EXPECT_EQ(dialogs.last().title, "Meldung von CalcBatchKessel");

    session.cstrInputChoice = 2;
    CstrFieldTexts cstr = cstrFields();
    cstr[14] = "1e30";
    cstr[15] = "1e-30";  // t = V/V* = 1e60
    const std::size_t shownBefore = dialogs.shown.size();
    EXPECT_FALSE(cstrStart(session, dialogs, cstr).success);
    ASSERT_EQ(dialogs.shown.size(), shownBefore + 1);
    EXPECT_EQ(dialogs.last().title, "Meldung von CalcCstr");
    EXPECT_EQ(dialogs.last().text, reactorOverflowText());
}

TEST(ReactorCommands, TubeProfileIsTheBatchConversionAlongTheTube) {
    Session session;
    session.state.modelId = 2;
    session.state.conc0 = {0.0, 1.0, 0.0, 0.0, 0.0, 0.0};
    session.state.rateConst = {0.0, 0.2, 0.0, 0.0};
    const std::vector<double> profile = tubeConversionProfile(session, 5.0, 6);
    ASSERT_EQ(profile.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(near(profile[static_cast<std::size_t>(i)], 1.0 - std::exp(-0.2 * i), 1e-12)) << i;
    }
    EXPECT_TRUE(tubeConversionProfile(session, 0.0, 6).empty());
    EXPECT_TRUE(tubeConversionProfile(session, 5.0, 1).empty());
}

}  // namespace
}  // namespace zemtral
