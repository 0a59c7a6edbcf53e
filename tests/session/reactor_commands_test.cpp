#include "session/reactor_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "numeric/number_text.h"

#include "support/recording_dialogs.h"
#include "support/tolerance.h"

namespace zemtral {
namespace {

using test::near;
using test::RecordingDialogs;

ReactorInputTexts batchFields() {
    ReactorInputTexts f;
    f.start[0] = "1";
    f.start[1] = "0";
    f.start[2] = "0";
    f.start[3] = "0";
    f.start[4] = "0";
    f.rateConstants[0] = "0,2";  // a comma is a decimal point
    f.rateConstants[1] = "0.2";
    f.rateConstants[2] = "0";
    f.conversion = "0";
    f.time = "5";
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
    EXPECT_EQ(result.fields.result[0], "0.3678795");
    EXPECT_EQ(result.fields.result[3], "0.6321205");
    EXPECT_EQ(result.fields.conversion, "0.6321205");
    EXPECT_EQ(result.fields.time, "5");
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
    ReactorInputTexts f = batchFields();
    f.conversion = "0.5";
    const auto result = batchCalculate(session, dialogs, f);
    ASSERT_TRUE(result.success);
    EXPECT_TRUE(near(session.reactionTime, std::log(2.0) / 0.2, 1e-5));
    EXPECT_EQ(result.fields.conversion, "0.5");
    EXPECT_TRUE(near(parseNumber(result.fields.time), std::log(2.0) / 0.2, 1e-5));
    EXPECT_DOUBLE_EQ(result.conversion, 0.5);
}

TEST(BatchCommand, RefusalsAreShownWordForWordAndLeaveTheFields) {
    Session session;
    session.state.modelId = 8;
    session.reactorInputChoice = 1;
    RecordingDialogs dialogs;
    ReactorInputTexts f = batchFields();
    f.rateConstants[0] = "0.5";
    f.rateConstants[1] = "0.5";
    f.conversion = "0.6";
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
    f.rateConstants[0] = "0";
    f.time = "";
    result = batchCalculate(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(dialogs.last().title, "keine Ausführung möglich");
    EXPECT_EQ(dialogs.last().text,
              "- noch keine Eingabe der Reaktionszeit\r\n"
              "- noch keine Eingabe einer Anfangskonzentration c(B)(0)\r\n"
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
}

ReactorInputTexts cstrFields() {
    ReactorInputTexts f;
    f.start[0] = "1";
    f.rateConstants[0] = "0.25";
    f.conversion = "0.5";
    f.volume = "2";
    f.flow = "0.5";
    f.time = "0";
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
    EXPECT_EQ(result.fields.time, "4");
    EXPECT_EQ(result.fields.conversion, "0.5");
    EXPECT_EQ(result.fields.result[0], "0.5");
    EXPECT_DOUBLE_EQ(session.reactionTime, 4.0);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolVolume], 2.0);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolFlow], 0.5);
    EXPECT_EQ(session.reactorProtocolValues[kProtocolTime], 4.0);

    session.cstrInputChoice = 0;  // U and V given
    ReactorInputTexts f = cstrFields();
    f.flow = "";
    result = cstrStart(session, dialogs, f);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(result.fields.flow, "0.5");
    EXPECT_EQ(result.fields.time, "4");
}

TEST(CstrCommand, RefusalAndFailureMessages) {
    Session session;
    session.state.modelId = 5;
    session.cstrInputChoice = 3;
    RecordingDialogs dialogs;
    ReactorInputTexts f = cstrFields();
    f.time = "0";
    auto result = cstrStart(session, dialogs, f);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(dialogs.last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(
        dialogs.last().text,
        "- für Autokatalyse muss ein (geringes) c(P)(0) gegeben sein, sonst springt die Reaktion nicht an\r\n"
        "- Die Zeitangabe muss größer Null sein.\r\n");

    session.state.modelId = 1;
    f = cstrFields();
    f.rateConstants[0] = "0.5";
    f.time = "10";
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
    ReactorInputTexts f;
    f.start[0] = "1";
    f.rateConstants[0] = "0.2";
    f.length = "10";
    f.velocity = "2";
    auto result = tubeCalculate(session, dialogs, f);
    ASSERT_TRUE(result.success);
    EXPECT_EQ(result.fields.time, "5");
    EXPECT_EQ(result.fields.conversion, "0.6321205");
    EXPECT_EQ(session.reactorProtocolValues[kProtocolLength], 10.0);

    f.velocity = "0";
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
    ReactorInputTexts batch = batchFields();
    batch.time = "1e39";
    const auto b = batchCalculate(session, dialogs, batch);
    EXPECT_FALSE(b.success);
    EXPECT_EQ(b.fields, batch);
    EXPECT_EQ(dialogs.last().title, "Meldung von CalcBatchKessel");
    EXPECT_EQ(dialogs.last().text, reactorOverflowText());
    EXPECT_EQ(reactorOverflowText().rfind("Überlauf", 0), 0u);

    session.tubeInputChoice = 0;
    ReactorInputTexts tube;
    tube.start[0] = "1";
    tube.rateConstants[0] = "0.2";
    tube.time = "1e20";
    tube.velocity = "1e30";  // l = v·t = 1e50 m
    EXPECT_FALSE(tubeCalculate(session, dialogs, tube).success);
    EXPECT_EQ(dialogs.last().title, "Meldung von CalcBatchKessel");

    session.cstrInputChoice = 2;
    ReactorInputTexts cstr = cstrFields();
    cstr.volume = "1e30";
    cstr.flow = "1e-30";  // t = V/V* = 1e60
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

// The windows fill and show the named texts through the field numbers inp(0..n-1): every field of
// a reactor has its own text, and the last fields mean what each reactor's window shows there.
TEST(ReactorInputTexts, EveryFieldNumberNamesItsOwnText) {
    for (CalcWindowKind kind :
         {CalcWindowKind::BatchReactor, CalcWindowKind::TubeReactor, CalcWindowKind::StirredTank}) {
        ReactorInputTexts texts;
        const int count = reactorFieldCount(kind);
        for (int i = 0; i < count; ++i) {
            std::string* field = reactorField(texts, kind, i);
            ASSERT_NE(field, nullptr) << i;
            EXPECT_TRUE(field->empty()) << "field " << i << " shares its text with another";
            *field = std::to_string(i);
        }
        EXPECT_EQ(reactorField(texts, kind, count), nullptr);
        EXPECT_EQ(reactorField(texts, kind, -1), nullptr);
        EXPECT_EQ(texts.start[0], "0");
        EXPECT_EQ(texts.start[4], "4");
        EXPECT_EQ(texts.result[0], "5");
        EXPECT_EQ(texts.rateConstants[2], "12");
        EXPECT_EQ(texts.conversion, "13");
        const ReactorInputTexts& shown = texts;
        EXPECT_EQ(*reactorField(shown, kind, 9), "9");
    }
    ReactorInputTexts batch, tube, tank;
    for (int i = 0; i < 17; ++i) {
        for (auto [texts, kind] :
             {std::pair{&batch, CalcWindowKind::BatchReactor}, std::pair{&tube, CalcWindowKind::TubeReactor},
              std::pair{&tank, CalcWindowKind::StirredTank}}) {
            if (std::string* field = reactorField(*texts, kind, i)) {
                *field = std::to_string(i);
            }
        }
    }
    EXPECT_EQ(reactorFieldCount(CalcWindowKind::BatchReactor), 15);
    EXPECT_EQ(batch.time, "14");
    EXPECT_EQ(tube.time, "14");
    EXPECT_EQ(tube.length, "15");
    EXPECT_EQ(tube.velocity, "16");
    EXPECT_EQ(tank.volume, "14");
    EXPECT_EQ(tank.flow, "15");
    EXPECT_EQ(tank.time, "16");
    EXPECT_EQ(reactorFieldCount(CalcWindowKind::Fitting), 0);
}

}  // namespace
}  // namespace zemtral
