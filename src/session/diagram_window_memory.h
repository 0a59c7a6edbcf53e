#pragma once
// What the simulation and diagram windows remember between uses while the program runs.
#include <cstdint>
#include <string>

namespace zemtral {

/// @brief Remembered file names, folders and settings of the result table and the diagram window.
struct DiagramWindowMemory {
    std::string lastTableFile;   ///< file name of the last saved result table
    std::string lastTableDir;    ///< folder of the last saved result table
    std::string lastXYFile;      ///< file name of the last exported XY curve
    std::string lastXYDir;       ///< folder of the last exported XY curve
    std::string lastDesignDir;   ///< folder of the last chart design file
    std::string lastPictureDir;  ///< folder of the last picture file
};

}  // namespace zemtral
