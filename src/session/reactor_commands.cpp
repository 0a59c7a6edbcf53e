#include "session/reactor_commands.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

#include "core/model_catalogue.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"
#include "reactors/batch_reactor.h"
#include "reactors/cstr.h"
#include "reactors/tube_reactor.h"

namespace zemtral {
namespace {

void readCommonFields(const ReactorInputTexts& fields, SpeciesArray& c0, std::array<double, 4>& k) {
    for (int s = 1; s <= kSlotCount; ++s) {
        c0[s] = parseNumber(fields.start[static_cast<std::size_t>(s - 1)]);
    }
    k = {0.0, parseNumber(fields.rateConstants[0]), parseNumber(fields.rateConstants[1]),
         parseNumber(fields.rateConstants[2])};
}

void showConcentrations(ReactorInputTexts& fields, const SpeciesArray& c, char sep) {
    for (int s = 1; s <= kSlotCount; ++s) {
        fields.result[static_cast<std::size_t>(s - 1)] = formatSingle(static_cast<float>(c[s]), sep);
    }
}

std::string number(double value, char sep) {
    return formatSingle(static_cast<float>(value), sep);
}

void storeResults(Session& session, const SpeciesArray& conc, const ExtentsOfReaction& extents,
                  const ReactorProtocolValues& protocol) {
    session.reactorResultConcentrations = conc;
    session.extentsOfReaction = extents;
    session.reactorProtocolValues = protocol;
}

ReactorKinetics kineticsOf(const Session& session, const std::array<double, 4>& k) {
    return ReactorKinetics{session.state.modelId, k, session.state.reactionOrder};
}

// The windows show results and the protocol stores them in single precision: a value beyond
// its range would appear as "inf" on screen and in the CSV file.
bool fitsSingle(double value) {
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

bool resultsFitSingle(const SpeciesArray& conc, const ReactorProtocolValues& protocol,
                      std::initializer_list<double> more) {
    for (int s = 1; s <= kSlotCount; ++s) {
        if (!fitsSingle(conc[s])) {
            return false;
        }
    }
    for (double v : protocol) {
        if (!fitsSingle(v)) {
            return false;
        }
    }
    for (double v : more) {
        if (!fitsSingle(v)) {
            return false;
        }
    }
    return true;
}

void showOverflow(UserDialogs& dialogs, const std::string& routine) {
    dialogs.showMessage(routineMessageTitle(routine), reactorOverflowText(), MessageIcon::Critical);
}

// Messages of a successful run are warnings; those of a failed run are errors.
void showMessages(UserDialogs& dialogs, const std::vector<ReactorMessage>& messages, bool ok) {
    const MessageIcon icon = ok ? MessageIcon::Exclamation : MessageIcon::Critical;
    for (const ReactorMessage& message : messages) {
        dialogs.showMessage(message.title, message.text, icon);
    }
}

}  // namespace

ReactorCommandResult batchCalculate(Session& session, UserDialogs& dialogs, const ReactorInputTexts& fields,
                                    char sep) {
    ReactorCommandResult result;
    result.fields = fields;
    BatchInputs in;
    std::array<double, 4> k{};
    readCommonFields(fields, in.c0, k);
    in.kinetics = kineticsOf(session, k);
    in.reactionTime = parseNumber(fields.time);
    in.conversion = parseNumber(fields.conversion);
    in.choice =
        session.reactorInputChoice == 1 ? BatchInputChoice::Conversion : BatchInputChoice::ReactionTime;
    in.decimalSeparator = sep;
    session.state.conc0 = in.c0;
    session.state.rateConst = k;
    session.reactionTime = in.reactionTime;
    session.conversionA = in.conversion;

    const BatchOutcome out = runBatchReactor(in);
    if (out.status != BatchOutcome::Status::Ok) {
        dialogs.showMessage(out.message.title, out.message.text, MessageIcon::Critical);
        return result;
    }
    if (!resultsFitSingle(out.conc, out.protocol, {out.reactionTime, out.conversion})) {
        showOverflow(dialogs, kBatchRoutineName);
        return result;
    }
    showConcentrations(result.fields, out.conc, sep);
    if (in.choice == BatchInputChoice::Conversion) {
        result.fields.time = number(out.reactionTime, sep);
    } else {
        result.fields.conversion = number(out.conversion, sep);
    }
    session.reactionTime = out.reactionTime;
    session.conversionA = out.conversion;
    storeResults(session, out.conc, out.extents, out.protocol);
    result.success = true;
    result.conversion = out.conversion;
    return result;
}

ReactorCommandResult cstrStart(Session& session, UserDialogs& dialogs, const ReactorInputTexts& fields,
                               char sep) {
    ReactorCommandResult result;
    result.fields = fields;
    CstrInputs in;
    std::array<double, 4> k{};
    readCommonFields(fields, in.c0, k);
    in.kinetics = kineticsOf(session, k);
    in.conversion = parseNumber(fields.conversion);
    in.volume = parseNumber(fields.volume);
    in.flow = parseNumber(fields.flow);
    in.residenceTime = parseNumber(fields.time);
    const std::int16_t choice =
        session.cstrInputChoice >= 0 && session.cstrInputChoice <= 4 ? session.cstrInputChoice : 0;
    in.choice = static_cast<CstrInputChoice>(choice);
    in.decimalSeparator = sep;
    session.state.conc0 = in.c0;
    session.state.rateConst = k;
    session.conversionA = in.conversion;
    session.reactionTime = in.residenceTime;

    const CstrOutcome out = runCstr(in);
    const CstrResult& r = out.result;
    if (out.status == CstrOutcome::Status::Ok &&
        !resultsFitSingle(r.conc, out.protocol, {r.conversion, r.volume, r.flow, r.residenceTime})) {
        showOverflow(dialogs, kCstrRoutineName);
        return result;
    }
    showMessages(dialogs, out.messages, out.status == CstrOutcome::Status::Ok);
    if (out.status != CstrOutcome::Status::Ok) {
        return result;
    }
    showConcentrations(result.fields, r.conc, sep);
    switch (in.choice) {
        case CstrInputChoice::ConversionAndVolume:
            result.fields.flow = number(r.flow, sep);
            result.fields.time = number(r.residenceTime, sep);
            break;
        case CstrInputChoice::ConversionAndFlow:
            result.fields.volume = number(r.volume, sep);
            result.fields.time = number(r.residenceTime, sep);
            break;
        case CstrInputChoice::VolumeAndFlow:
            result.fields.conversion = number(r.conversion, sep);
            result.fields.time = number(r.residenceTime, sep);
            break;
        case CstrInputChoice::VolumeAndResidenceTime:
            result.fields.conversion = number(r.conversion, sep);
            result.fields.flow = number(r.flow, sep);
            break;
        case CstrInputChoice::FlowAndResidenceTime:
            result.fields.conversion = number(r.conversion, sep);
            result.fields.volume = number(r.volume, sep);
            break;
    }
    session.reactionTime = r.residenceTime;
    session.conversionA = r.conversion;
    storeResults(session, r.conc, out.extents, out.protocol);
    result.success = true;
    result.conversion = r.conversion;
    return result;
}

ReactorCommandResult tubeCalculate(Session& session, UserDialogs& dialogs, const ReactorInputTexts& fields,
                                   char sep) {
    ReactorCommandResult result;
    result.fields = fields;
    TubeInputs in;
    std::array<double, 4> k{};
    readCommonFields(fields, in.c0, k);
    in.kinetics = kineticsOf(session, k);
    in.conversion = parseNumber(fields.conversion);
    in.reactionTime = parseNumber(fields.time);
    in.length = parseNumber(fields.length);
    in.velocity = parseNumber(fields.velocity);
    const std::int16_t choice =
        session.tubeInputChoice >= 0 && session.tubeInputChoice <= 2 ? session.tubeInputChoice : 0;
    in.choice = static_cast<TubeInputChoice>(choice);
    in.decimalSeparator = sep;
    session.state.conc0 = in.c0;
    session.state.rateConst = k;
    session.reactionTime = in.reactionTime;
    session.conversionA = in.conversion;

    const TubeOutcome out = runTubeReactor(in);
    if (out.status == TubeOutcome::Status::Ok &&
        !resultsFitSingle(out.conc, out.protocol, {out.reactionTime, out.length, out.conversion})) {
        showOverflow(dialogs, kBatchRoutineName);
        return result;
    }
    showMessages(dialogs, out.messages, out.status == TubeOutcome::Status::Ok);
    if (out.status != TubeOutcome::Status::Ok) {
        return result;
    }
    showConcentrations(result.fields, out.conc, sep);
    switch (in.choice) {
        case TubeInputChoice::ReactionTime:
            result.fields.length = number(out.length, sep);
            result.fields.conversion = number(out.conversion, sep);
            break;
        case TubeInputChoice::Length:
            result.fields.time = number(out.reactionTime, sep);
            result.fields.conversion = number(out.conversion, sep);
            break;
        case TubeInputChoice::Conversion:
            result.fields.time = number(out.reactionTime, sep);
            result.fields.length = number(out.length, sep);
            break;
    }
    session.reactionTime = out.reactionTime;
    session.conversionA = out.conversion;
    storeResults(session, out.conc, out.extents, out.protocol);
    result.success = true;
    result.conversion = out.conversion;
    return result;
}

int reactorFieldCount(CalcWindowKind kind) {
    switch (kind) {
        case CalcWindowKind::BatchReactor:
            return 15;
        case CalcWindowKind::TubeReactor:
        case CalcWindowKind::StirredTank:
            return 17;
        default:
            return 0;
    }
}

const std::string* reactorField(const ReactorInputTexts& texts, CalcWindowKind kind, int index) {
    if (index < 0 || index >= reactorFieldCount(kind)) {
        return nullptr;
    }
    if (index < 5) {
        return &texts.start[static_cast<std::size_t>(index)];
    }
    if (index < 10) {
        return &texts.result[static_cast<std::size_t>(index - 5)];
    }
    if (index < 13) {
        return &texts.rateConstants[static_cast<std::size_t>(index - 10)];
    }
    if (index == 13) {
        return &texts.conversion;
    }
    switch (kind) {
        case CalcWindowKind::TubeReactor:
            return index == 14 ? &texts.time : index == 15 ? &texts.length : &texts.velocity;
        case CalcWindowKind::StirredTank:
            return index == 14 ? &texts.volume : index == 15 ? &texts.flow : &texts.time;
        default:
            return &texts.time;  // 14 of the batch reactor
    }
}

std::string* reactorField(ReactorInputTexts& texts, CalcWindowKind kind, int index) {
    return const_cast<std::string*>(reactorField(std::as_const(texts), kind, index));
}

std::string reactorOverflowText() {
    return faultDescription(FpFault::Overflow) +
           "\r\nDas Ergebnis ist zu groß für die Anzeige. Überprüfen Sie die Eingabewerte.";
}

std::vector<double> tubeConversionProfile(const Session& session, double residenceTime, int samples) {
    std::vector<double> profile;
    if (samples < 2 || !(residenceTime > 0.0) || !std::isfinite(residenceTime)) {
        return profile;
    }
    const ReactorKinetics kinetics = kineticsOf(session, session.state.rateConst);
    const double a0 = session.state.conc0[kSlotA];
    for (int i = 0; i < samples; ++i) {
        const double t = residenceTime * i / (samples - 1);
        const BatchKesselResult r = CalcBatchKessel(kinetics, t, session.state.conc0);
        const double u = conversionOfA(a0, r.conc[kSlotA]);
        if (r.errorFlag != 0 || !std::isfinite(u)) {
            return {};
        }
        profile.push_back(u);
    }
    return profile;
}

std::string extentsText(int model, const ExtentsOfReaction& extents, char sep) {
    std::string text = "ksi(1)/(kmol/m^3) = " + number(extents[1], sep);
    if (!isSingleReaction(model)) {
        text += "\r\nksi(2)/(kmol/m^3) = " + number(extents[2], sep);
    }
    return text;
}

}  // namespace zemtral
