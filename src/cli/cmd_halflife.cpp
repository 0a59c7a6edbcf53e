#include <ostream>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "core/engine.h"
#include "core/half_life.h"
#include "core/model_catalogue.h"
#include "numeric/number_text.h"

namespace zemtral::cli {
namespace {

constexpr const char* kHalfLifeHelp =
    "Usage: zemtral-cli halflife --model N [--k1 X] [--k2 X] [--k3 X] [--c0 A=X,B=X,...] [--order n]\n"
    "         [--tend T] [--unit s|min|h|d|a] [--format json|table]\n\n"
    "Half-lives of A and B [time unit] as the diagram window gives them: the closed forms for the\n"
    "closed-form models, the times at which the simulated c(A) and c(B) fall below half their initial\n"
    "value for the numerically integrated models. 0 means no value.\n";

bool usesNumericHalfLifeB(int model) {
    return model == 7 || model == 9 || model == 10 || model == 13 || model == 18;
}

}  // namespace

int runHalfLife(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto args = parseArgs(words, modelOptionSpec(), error);
    if (!args) {
        return usageError(err, "halflife", error);
    }
    if (args->has("help")) {
        out << kHalfLifeHelp;
        return kExitOk;
    }
    const auto format = outputFormat(*args, OutputFormat::Json, error);
    if (!format || *format == OutputFormat::Csv) {
        return usageError(err, "halflife", format ? "--format: one of json, table" : error);
    }
    auto state = modelStateFromArgs(*args, error);
    if (!state) {
        return usageError(err, "halflife", error);
    }
    const int model = state->modelId;
    float halfLifeA = 0.0f, halfLifeB = 0.0f;
    if (isNumericModel(model)) {
        SimulationResult result;
        const EngineStatus status = calc_diagramfunctioncT(state->modelId, *state, result);
        if (status.errorFlag != 0) {
            err << "Meldung von calc_diagramfunctioncT: " << status.message << "\n";
            return kExitRefused;
        }
        halfLifeA = state->halfLifeA;
        halfLifeB = usesNumericHalfLifeB(model) ? state->halfLifeB : 0.0f;
    } else {
        const auto& c0 = state->conc0;
        const auto& k = state->rateConst;
        for (const HalfLifeResult& r :
             {FuHalbwertszeitA(c0[kSlotA], c0[kSlotB], c0[kSlotP], k[1], k[2], model),
              FuHalbwertszeitB(c0[kSlotA], c0[kSlotB], c0[kSlotP], k[1], k[2], model)}) {
            if (!r.message.empty()) {
                err << r.title << "\n" << r.message << "\n";
                return kExitRefused;
            }
        }
        halfLifeA = FuHalbwertszeitA(c0[kSlotA], c0[kSlotB], c0[kSlotP], k[1], k[2], model).value;
        halfLifeB = FuHalbwertszeitB(c0[kSlotA], c0[kSlotB], c0[kSlotP], k[1], k[2], model).value;
    }
    if (*format == OutputFormat::Json) {
        JsonWriter json;
        json.beginObject().number("halfLifeA", halfLifeA).number("halfLifeB", halfLifeB).endObject();
        out << json.text() << "\n";
    } else {
        out << "t1/2(" << speciesName(model, kSlotA) << ") = " << formatSingle(halfLifeA) << " "
            << state->timeUnit << "\n"
            << "t1/2(" << speciesName(model, kSlotB) << ") = " << formatSingle(halfLifeB) << " "
            << state->timeUnit << "\n";
    }
    return kExitOk;
}

}  // namespace zemtral::cli
