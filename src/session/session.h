#pragma once
// The whole working state of one running program: what the original kept in module globals.
// Created once in main() and passed by reference to every window.
#include "core/engine.h"
#include "core/working_state.h"
#include "data/exp_data_set.h"

namespace zemtral {

struct Session {
    WorkingState state = startUpWorkingState();
    SimulationResult simulation;
    ExpDataSet data;
    DataSurvey survey;
};

}  // namespace zemtral
