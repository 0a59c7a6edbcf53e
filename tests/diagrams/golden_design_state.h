// The chart state of the design-file golden test: the file tests/diagrams/expected/design_v1.oc2
// was written for this state by the program before the design file moved out of the Qt chart.
#pragma once
#include "diagrams/chart_state.h"

namespace zemtral::test {

inline ChartState goldenDesignState() {
    ChartState s;
    ChartState::Series curve;
    curve.points = {
        {0.0, 1.0}, {0.5, 0.1}, {1e-05, 1.0 / 3.0}, {9007199254740994.0, -0.0}, {1e20, -12345.678}};
    curve.style.linePattern = LinePattern::Dashed;
    curve.style.lineColour = ChartColour{0x1F4EB4};
    curve.style.lineWidth = 3;
    curve.label = "c(A) ";
    ChartState::Series hidden;
    hidden.label = "Zwischenprodukt \"C\"\tä";
    hidden.legendShown = false;
    hidden.visible = false;
    s.groups[0] = {curve, hidden};
    ChartState::Series points;
    points.points = {{2.5, 0.00030000000000000003}, {100.0, 0.001}};
    points.style.linePattern = LinePattern::None;
    points.style.symbolShape = SymbolShape::Triangle;
    points.style.symbolSize = 9;
    points.style.symbolColour = ChartColour{0xC0282D};
    points.label = "c(P)";
    s.groups[1] = {points};
    ChartLabel onCurve;
    onCurve.text = "c(A) ";
    onCurve.attachment = LabelAttachment::DataPoint;
    onCurve.series = 1;
    onCurve.point = 4;
    onCurve.font.pointSize = 8.5f;
    ChartLabel extra;
    extra.text = "Zusatztext äöü ß €";
    extra.x = 40.5;
    extra.y = 0.9;
    extra.framed = true;
    s.labels = {{1, onCurve}, {3, extra}};
    s.nextLabelId = 4;
    s.header = "Konzentrationsverlauf für die Reaktion 1. Ordnung A => P";
    s.headerFramed = true;
    s.axes[0].maximum = 100.0;
    s.axes[0].title = "t/ s";
    s.axes[0].gridSpacing = 12.5;
    s.axes[0].origin = AxisOrigin::AtValue;
    s.axes[0].originValue = -7.25;
    s.axes[1].minimum = 0.001;
    s.axes[1].maximum = 1.5;
    s.axes[1].logarithmic = true;
    s.axes[1].title = "c(A), c(P)/ (mol/l)";
    s.axes[1].titleOrientation = TextOrientation::Vertical;
    s.axes[1].digitSpacing = 0.25;
    s.axes[1].gridPattern = LinePattern::Solid;
    s.legend.framed = true;
    s.legend.left = 120;
    s.legend.top = 30;
    s.legend.orientation = TextOrientation::Horizontal;
    s.areas.margins.automatic = false;
    s.areas.margins.left = 12;
    s.areas.margins.bottom = 30;
    s.areas.border = BorderType::DoubleBar;
    s.areas.borderWidth = 2;
    s.areas.plotAreaColour = ChartColour{0xF0F0F0};
    s.areas.plotLeft = 0.1;
    s.areas.plotTop = 0.05;
    s.areas.plotWidth = 0.8;
    s.areas.plotHeight = 0.75;
    return s;
}

}  // namespace zemtral::test
