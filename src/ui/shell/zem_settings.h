#pragma once
// The program's one persistent setting, typed, over QSettings ("ZEMTRAL", group "Options").

namespace zemtral {

class ZemSettings {
  public:
    /// @brief "Show Tips at Startup": true unless the stored text is the integer 0 (absent: true).
    static bool showTipsAtStartup();
    static void setShowTipsAtStartup(bool show);
};

}  // namespace zemtral
