#pragma once
// The nested busy state behind the wait cursor.
#include <functional>

namespace zemtral {

/// @brief Counts nested BeginBusy/EndBusy pairs. The hook is called with true when the outermost
/// BeginBusy starts (the UI saves the pointer and shows the wait cursor) and with false when the
/// outermost EndBusy ends (the UI restores the saved pointer).
class BusyIndicator {
  public:
    void setHook(std::function<void(bool busy)> hook) { m_hook = std::move(hook); }

    void BeginBusy() {
        if (m_depth++ == 0 && m_hook) {
            m_hook(true);
        }
    }
    /// @brief An EndBusy without a matching BeginBusy is ignored.
    void EndBusy() {
        if (m_depth == 0) {
            return;
        }
        if (--m_depth == 0 && m_hook) {
            m_hook(false);
        }
    }
    bool isBusy() const { return m_depth > 0; }
    int depth() const { return m_depth; }

  private:
    int m_depth = 0;
    std::function<void(bool)> m_hook;
};

/// @brief BeginBusy for the lifetime of the object: no early return can leave the cursor busy.
class BusyScope {
  public:
    explicit BusyScope(BusyIndicator& busy) : m_busy(busy) { m_busy.BeginBusy(); }
    ~BusyScope() { m_busy.EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    BusyIndicator& m_busy;
};

}  // namespace zemtral
