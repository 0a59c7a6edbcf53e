#pragma once
// The point buffer through which every computed curve reaches the chart.
#include <cstddef>
#include <vector>

namespace zemtral {

/// @brief One buffer point: X, Y and a third value whose meaning the curve computation decides.
struct CurvePoint {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

/// @brief Points 0..2000. Entry 0's X holds the number n of valid points; points 1..n hold the
/// curve. Allocated once and reused by every curve computation.
class CurveBuffer {
  public:
    /// @brief Largest number of curve points (entries 1..kCapacity).
    static constexpr int kCapacity = 2000;

    CurveBuffer() : m_points(kCapacity + 1) {}

    /// @brief Number of valid points, read from entry 0's X (clamped to 0..kCapacity).
    int count() const {
        const float n = m_points[0].x;
        if (!(n > 0.0f)) {
            return 0;
        }
        return n >= static_cast<float>(kCapacity) ? kCapacity : static_cast<int>(n);
    }
    /// @brief Sets entry 0's X to n (clamped to 0..kCapacity).
    void setCount(int n) {
        if (n < 0) {
            n = 0;
        }
        m_points[0].x = static_cast<float>(n > kCapacity ? kCapacity : n);
    }
    /// @brief Empties the buffer (n = 0).
    void clear() { setCount(0); }

    /// @brief Point i, 0..kCapacity (entry 0 is the count entry).
    CurvePoint& operator[](int i) { return m_points[static_cast<std::size_t>(i)]; }
    const CurvePoint& operator[](int i) const { return m_points[static_cast<std::size_t>(i)]; }

    /// @brief Stores point i (1..kCapacity) with third value 0.
    void set(int i, float x, float y) { m_points[static_cast<std::size_t>(i)] = CurvePoint{x, y, 0.0f}; }

  private:
    std::vector<CurvePoint> m_points;
};

}  // namespace zemtral
