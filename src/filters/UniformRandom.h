#pragma once

#include <cstdint>

// A uniform random generator on [0, 1) in single precision. Every instance starts the
// same sequence, so the program's filters give the same results after every start.
class UniformRandom {
public:
    // r with 0 <= r < 1, a multiple of 2^-24 (every one of them exactly a float).
    float next()
    {
        // splitmix64: fast, and every seed gives a well-mixed sequence.
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return float(z >> 40) * (1.0f / 16777216.0f);
    }

private:
    std::uint64_t m_state = 0x4C756D6F76616E64ull;
};

// The program-wide generator: never reseeded, each filter run continues its sequence.
UniformRandom &ProgramRandom();
