#pragma once
// The random numbers of the Monte Carlo budget, the same for any thread
// count and compiler: SplitMix64 (a counter stepped by the golden gamma and
// mixed) started at a value fixed by the seed and the block of trials, the
// uniform from its top 53 bits, and the normal by the Box-Muller transform
// written here rather than std::normal_distribution, whose algorithm the
// standard leaves to each library.

#include <cmath>
#include <cstdint>

namespace tovarin {

class BudgetRandom
{
  public:
    BudgetRandom(std::uint64_t seed, std::uint64_t block)
        : m_state(seed ^ (block * 0xD1B54A32D192ED03ull))
    {
    }

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // In (0, 1): never 0, so that its logarithm is finite.
    double Uniform() { return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53; }

    // Standard normal: sqrt(-2 ln u1) (cos, sin)(2 pi u2), the second kept for the next call.
    double Normal()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        const double radius = std::sqrt(-2.0 * std::log(Uniform()));
        const double angle = 6.283185307179586 * Uniform();
        m_spare = radius * std::sin(angle);
        m_hasSpare = true;
        return radius * std::cos(angle);
    }

  private:
    std::uint64_t m_state;
    double m_spare = 0.0;
    bool m_hasSpare = false;
};

} // namespace tovarin
