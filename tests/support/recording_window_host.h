#pragma once
// A WindowHost that keeps the set of open windows and records every call in order, so that the
// window sequences of the commands can be checked step by step.
#include <set>
#include <string>
#include <vector>

#include "session/window_host.h"

namespace zemtral::test {

class RecordingWindowHost : public WindowHost {
  public:
    std::set<WindowId> openWindows;
    std::set<WindowId> missing;      ///< windows this host cannot create
    std::vector<std::string> calls;  ///< "open fitting", "close diagram", "focus fitting", "draw", "setup"

    bool isOpen(WindowId id) const override { return openWindows.count(id) > 0; }
    bool open(WindowId id) override {
        calls.push_back("open " + std::string(windowName(id)));
        if (missing.count(id) > 0) {
            return false;
        }
        openWindows.insert(id);
        return true;
    }
    void close(WindowId id) override {
        if (openWindows.erase(id) > 0) {
            calls.push_back("close " + std::string(windowName(id)));
        }
    }
    void focus(WindowId id) override {
        if (isOpen(id)) {
            calls.push_back("focus " + std::string(windowName(id)));
        }
    }
    void pressFittingDraw() override { calls.push_back("draw"); }
    void setUpDiagram() override { calls.push_back("setup"); }
};

}  // namespace zemtral::test
