#pragma once
// Topic numbers of the help pages (resources/help/<topic>.html).

namespace zemtral {

inline constexpr int kHelpDataMenu = 10070;
inline constexpr int kHelpNewData = 10130;
inline constexpr int kHelpEditData = 10100;
inline constexpr int kHelpExit = 10110;
inline constexpr int kHelpModel = 10240;
inline constexpr int kHelpTimeUnit = 10250;  ///< "Hilfe" beside the time units of the model window
inline constexpr int kHelpFitting = 10200;   ///< "Hilfe" of the fitting window
inline constexpr int kHelpAbout = 10260;
inline constexpr int kHelpIndex = 10270;
inline constexpr int kHelpCopyright = 10280;
inline constexpr int kHelpStirredTankWay = 9000;  ///< + CstrInputChoice 0..4
inline constexpr int kHelpMonteCarloFirstOrder = 10400;
inline constexpr int kHelpMonteCarloEquilibrium = 10410;

}  // namespace zemtral
