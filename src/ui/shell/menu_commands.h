#pragma once
// The commands of the main window's menus: an id each, and the menu name that the command's
// action carries as its object name.
#include <cstddef>

namespace zemtral {

/// @brief The commands of the main window's menus, one action each.
enum class MenuCommand : int {
    LoadLastSession,
    LoadProject,
    SaveProject,
    NewData,
    LoadData,
    EditData,
    EditXY,
    Exit,
    Model,
    LinearisedFirst,  ///< the three orders of the c-t evaluation, then WILKINSON
    LinearisedSecond,
    LinearisedSecondAB,
    Wilkinson,
    LambdaFirst,  ///< the three orders of the lambda(t) evaluation
    LambdaSecond,
    LambdaSecondAB,
    Fitting,
    OrderFitting,
    NonIsothermalFirst,
    NonIsothermalSecond,
    KTArrhenius,
    KTEyring,
    TangentA,  ///< the tangents of A, B, C, P, Q
    TangentB,
    TangentC,
    TangentP,
    TangentQ,
    ConcentrationTime,
    RateTime,
    MonteCarloFirstOrder,
    MonteCarloEquilibrium,
    BatchReactor,
    TubeReactor,
    StirredTank,
    Cascade,
    Options,
    ArrheniusCalculator,
    EyringCalculator,
    About,
    HelpIndex,
    Tips,
    Copyright,
    Count
};

namespace menu_detail {

struct CommandName {
    MenuCommand id;
    const char* objectName;
};

// The menu name of every command, in the order of the commands.
constexpr CommandName kCommandNames[] = {
    {MenuCommand::LoadLastSession, "mnuLoadLastSession"},
    {MenuCommand::LoadProject, "mnuLoadProject"},
    {MenuCommand::SaveProject, "mnuSaveProject"},
    {MenuCommand::NewData, "mnuNeudat"},
    {MenuCommand::LoadData, "mnuLoadData"},
    {MenuCommand::EditData, "mnuEdit"},
    {MenuCommand::EditXY, "mnuEditXY"},
    {MenuCommand::Exit, "mnuExit"},
    {MenuCommand::Model, "mnuModel"},
    {MenuCommand::LinearisedFirst, "mnuctAusw_1"},
    {MenuCommand::LinearisedSecond, "mnuctAusw_2"},
    {MenuCommand::LinearisedSecondAB, "mnuctAusw_3"},
    {MenuCommand::Wilkinson, "mnuctAusw_4"},
    {MenuCommand::LambdaFirst, "mnuLambdaAusw_1"},
    {MenuCommand::LambdaSecond, "mnuLambdaAusw_2"},
    {MenuCommand::LambdaSecondAB, "mnuLambdaAusw_3"},
    {MenuCommand::Fitting, "mnuCtFitting"},
    {MenuCommand::OrderFitting, "mnuROFitting"},
    {MenuCommand::NonIsothermalFirst, "mnuNonIsothermFitting_1"},
    {MenuCommand::NonIsothermalSecond, "mnuNonIsothermFitting_2"},
    {MenuCommand::KTArrhenius, "mnukT_1"},
    {MenuCommand::KTEyring, "mnukT_2"},
    {MenuCommand::TangentA, "mnuSubTangente_1"},
    {MenuCommand::TangentB, "mnuSubTangente_2"},
    {MenuCommand::TangentC, "mnuSubTangente_3"},
    {MenuCommand::TangentP, "mnuSubTangente_4"},
    {MenuCommand::TangentQ, "mnuSubTangente_5"},
    {MenuCommand::ConcentrationTime, "mnuctGraph"},
    {MenuCommand::RateTime, "mnuvtGraph"},
    {MenuCommand::MonteCarloFirstOrder, "mnuSubMonteCarlo_0"},
    {MenuCommand::MonteCarloEquilibrium, "mnuSubMonteCarlo_1"},
    {MenuCommand::BatchReactor, "mnuBatchR"},
    {MenuCommand::TubeReactor, "mnuRohrR"},
    {MenuCommand::StirredTank, "mnuKontRK"},
    {MenuCommand::Cascade, "mnuKaskade"},
    {MenuCommand::Options, "mnuOption"},
    {MenuCommand::ArrheniusCalculator, "mnuToolArrhenius"},
    {MenuCommand::EyringCalculator, "mnuToolEyring"},
    {MenuCommand::About, "mnuAboutZem"},
    {MenuCommand::HelpIndex, "mnuIndex"},
    {MenuCommand::Tips, "mnuTip"},
    {MenuCommand::Copyright, "mnuInfo"},
};

constexpr bool commandNamesInOrder() {
    int index = 0;
    for (const CommandName& row : kCommandNames) {
        if (static_cast<int>(row.id) != index++) {
            return false;
        }
    }
    return index == static_cast<int>(MenuCommand::Count);
}
static_assert(commandNamesInOrder(), "one menu name per command, in the order of the commands");

}  // namespace menu_detail

/// @brief The menu name of a command ("mnuLoadData" ...), the object name of its action.
constexpr const char* menuCommandName(MenuCommand id) {
    return menu_detail::kCommandNames[static_cast<std::size_t>(id)].objectName;
}

/// @brief The command `offset` places after `first` in a family of numbered commands (the orders
/// of an evaluation, the species of the tangent).
constexpr MenuCommand nthMenuCommand(MenuCommand first, int offset) {
    return static_cast<MenuCommand>(static_cast<int>(first) + offset);
}

}  // namespace zemtral
