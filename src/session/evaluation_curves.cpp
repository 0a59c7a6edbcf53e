#include "session/evaluation_curves.h"

#ifdef ZEMTRAL_HAS_DIAGRAM_CURVES

#include <algorithm>

#include "evaluation/tangent.h"
#include "session/fit_residuals.h"

namespace zemtral {

PlotWindow plotWindowOf(const DiagramFrame& frame) {
    return {frame.xMin, frame.yMin, frame.xMax, frame.yMax};
}

void fillCurveBuffer(const std::vector<PlotPoint>& points, CurveBuffer& buffer) {
    const int n = std::min(static_cast<int>(points.size()), CurveBuffer::kCapacity);
    for (int i = 0; i < n; ++i) {
        buffer.set(i + 1, points[static_cast<std::size_t>(i)].x, points[static_cast<std::size_t>(i)].y);
    }
    buffer.setCount(n);
}

CurveTable evaluationCurveTable(Session& session, int pointDensity) {
    CurveTable table;
    const CurveFunction line = [&session](const CurveRequest& request, CurveBuffer& buffer,
                                          CurveResult& result) {
        const ExpDataSet& data = request.data ? *request.data : session.data;
        const LinearEvaluationResult r =
            runLinearisedEvaluation(data, request.kind, session.state, session.evaluation);
        buffer.clear();
        if (r.errorFlag != 0) {
            result.errorFlag = -1;
            result.errorText = r.errorText;
            return;
        }
        result.intercept = r.interceptField;
        result.slope = r.slopeField;
        result.rSquared = r.rSquared;
        result.statusText = r.resultLine;
        bool outside = true;
        fillCurveBuffer(DrawRegressionLine(plotWindowOf(request.frame), r.intercept, r.slope, outside),
                        buffer);
        result.outside = outside;
    };
    for (int kind : {kEvalArrhenius, kEvalEyring, kEvalFirstOrder, kEvalSecondOrder, kEvalWilkinson,
                     kEvalSecondOrderUnequal, kEvalLambdaFirstOrder, kEvalLambdaSecondOrder}) {
        table.add(static_cast<DiagramKind>(kind), line);
    }
    table.add(kEvalSingleSpecies, [&session, pointDensity](const CurveRequest& request, CurveBuffer& buffer,
                                                           CurveResult& result) {
        const ExpDataSet& data = request.data ? *request.data : session.data;
        session.evaluation.tangent =
            prepareTangentSpline(data, session.evaluation.tangentSpecies, session.state.smoothingExponent);
        buffer.clear();
        if (!session.evaluation.tangent.status.ok) {
            result.errorFlag = -1;
            result.errorText = session.evaluation.tangent.status.message;
            return;
        }
        bool outside = true;
        fillCurveBuffer(tangentCurvePoints(session.evaluation.tangent, plotWindowOf(request.frame),
                                           pointDensity, outside),
                        buffer);
        result.outside = outside;
    });
    table.add(kKindFitResiduals,
              [&session](const CurveRequest& request, CurveBuffer& buffer, CurveResult& result) {
                  drawResidualCurve(session, request, buffer, result);
              });
    return table;
}

}  // namespace zemtral

#endif
