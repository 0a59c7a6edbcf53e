#include "session/fit_statistics_table.h"

#include "core/model_catalogue.h"
#include "evaluation/fitting.h"
#include "numeric/number_text.h"

namespace zemtral {
namespace {

std::string speciesCaption(int model, int slot) {
    return "c(" + std::string(speciesName(model, slot)) + ")";
}

}  // namespace

std::vector<std::string> fitParameterNames(const Session& session) {
    const std::uint8_t mode = session.state.fittingMode;
    if (mode == kFittingNonIsothermalFirst || mode == kFittingNonIsothermalSecond) {
        return session.evaluation.kTForm == kKTEyring ? std::vector<std::string>{"kB/h·exp(s#/R)", "h#"}
                                                      : std::vector<std::string>{"A", "EA"};
    }
    if (mode == kFittingOrder) {
        return {"k1", "n"};
    }
    std::vector<std::string> names;
    const int n = fitParameterCount(session.state.modelId, mode);
    for (int j = 1; j <= n; ++j) {
        names.push_back("k" + std::to_string(j));
    }
    return names;
}

std::vector<std::vector<std::string>> fitStatisticsTable(const Session& session, char decimalSeparator) {
    std::vector<std::vector<std::string>> rows;
    const FitStatisticsState& st = session.evaluation.statistics;
    if (!st.shown) {
        return rows;
    }
    const ParameterStatistics& ps = st.parameters;
    const std::vector<std::string> names = fitParameterNames(session);
    const std::size_t n = std::min(names.size(), ps.free.size());
    const auto general = [decimalSeparator](double v) {
        return formatSingle(static_cast<float>(v), decimalSeparator);
    };
    const auto scientific = [decimalSeparator](double v) {
        return formatNumber(v, "0.000E+00", decimalSeparator);
    };
    const auto fixed3 = [decimalSeparator](double v) { return formatNumber(v, "0.000", decimalSeparator); };

    rows.push_back({"Parameter", "Wert", "Standardabw.", "95 %-Intervall von", "bis"});
    for (std::size_t j = 0; j < n; ++j) {
        const double p = st.params[j + 1];
        if (!ps.free[j]) {
            rows.push_back({names[j], general(p), "fixiert", "", ""});
            continue;
        }
        const double sd = session.evaluation.standardDeviation[j + 1];
        rows.push_back(
            {names[j], general(p), scientific(sd), general(p - ps.ci95[j]), general(p + ps.ci95[j])});
    }
    rows.emplace_back();
    std::vector<std::string> head{"Korrelation"};
    for (std::size_t k = 0; k < n; ++k) {
        if (ps.free[k]) {
            head.push_back(names[k]);
        }
    }
    rows.push_back(head);
    for (std::size_t j = 0; j < n; ++j) {
        if (!ps.free[j]) {
            continue;
        }
        std::vector<std::string> row{names[j]};
        for (std::size_t k = 0; k < n; ++k) {
            if (ps.free[k]) {
                row.push_back(fixed3(ps.correlation[j * ps.free.size() + k]));
            }
        }
        rows.push_back(row);
    }
    rows.emplace_back();
    rows.push_back({"Spezies", "Messwerte", "Reststandardabw.", "R²"});
    for (const SpeciesFitStatistics& s : st.species) {
        rows.push_back({speciesCaption(session.state.modelId, s.slot), std::to_string(s.count),
                        scientific(s.residualSd),
                        s.r2 ? formatNumber(*s.r2, "0.00000", decimalSeparator) : "-"});
    }
    rows.emplace_back();
    rows.push_back(
        {"Freiheitsgrade", std::to_string(ps.degreesOfFreedom), "t(97,5 %)", fixed3(ps.tQuantile)});
    rows.push_back({"Reststandardabw. gesamt", scientific(ps.residualSd)});
    return rows;
}

std::string tabSeparatedText(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += '\t';
            }
            text += row[i];
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace zemtral
