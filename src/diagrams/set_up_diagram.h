#pragma once
// The set-up of a diagram: axis window, texts, series count, point-set tabs and legend texts.
// Opening the diagram window is left to the caller.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/working_state.h"
#include "diagrams/axis_range.h"
#include "diagrams/diagram_kind.h"
#include "diagrams/species_masks.h"

namespace zemtral {

/// @brief The message of a diagram window that cannot be created because the chart is missing
/// (shown titled kNotPossibleTitle with the critical icon).
inline constexpr const char* kChartModuleMissingText =
    "Das 2D-Graphikmodul ...\\olch2x8.ocx wurde bei der Installation nicht ordnungsgemäß registriert.\n"
    "Bitte versuchen Sie eine manuelle Registrierung (s. unsere Website).";

/// @brief One point-set tab of the diagram window (tabs 0..4 species slots 1..5, tab 5 "k-T").
struct PointSetTab {
    bool visible = false;
    std::string caption;
};

/// @brief The point-set tabs and the point-legend text fields 1..6 (element 0 unused).
struct PointSetTabs {
    std::array<PointSetTab, 6> tabs;
    std::array<std::string, 7> legendTexts;
};

/// @brief Everything SetUpDiagram reads.
struct DiagramSetUpInput {
    DiagramKind kind = 0;
    DiagramFrame frame;            ///< current frame: texts the kind does not set stay
    std::int16_t seriesCount = 0;  ///< as the caller set it (kept for kind 100 and negative kinds)
    AxisRangeTable axisRanges{};
    WorkingState state;                  ///< modelId, timeUnit, fittingMode, mmMode, mmSettings, conc0
    SpeciesMasks masks;                  ///< the masks last set
    bool windowOpen = false;             ///< false: the window loads and sets the masks of the kind first
    std::array<bool, 6> shownSpecies{};  ///< slot d has measured data to show (element 0 unused)
    bool hasKTData = false;
    std::uint8_t selectedSpecies = 1;  ///< slot of kind 100
    bool equalStartConc = true;
    double lambda0 = 0.0;
    char decimalSeparator = '.';
    PointSetTabs previousTabs;  ///< tab state of the open window; a new window starts all hidden
};

/// @brief What the diagram window shows after the set-up.
struct DiagramSetUp {
    DiagramFrame frame;            ///< restored axis window and the kind's texts
    std::int16_t seriesCount = 0;  ///< number of curves the draw command will walk down
    bool pointLegend = false;      ///< the kind shows the legend of the point sets
    SpeciesMasks masks;            ///< masks in effect (set from the kind when the window loads)
    PointSetTabs tabs;
    std::optional<bool> chartLegend;  ///< the chart legend and its check box; empty: unchanged
    std::optional<int> selectedTab;   ///< the tab to select (kind 100)
};

/// @brief The set-up of `input.kind`: restores the axis window, sets title, captions and series
/// count from the kind table and prepares the point-set tabs and legend texts.
DiagramSetUp SetUpDiagram(const DiagramSetUpInput& input);

}  // namespace zemtral
