#pragma once
// Where every random choice of a split comes from. The default draws from the
// operating system's cryptographic generator: shares are only as secret as the
// column choices are unpredictable.

#include <cstdint>
#include <vector>

namespace lumisplit {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform over 0 .. bound-1 without modulo bias; bound must be at least 1.
    virtual std::uint32_t Below(std::uint32_t bound) = 0;
    // One fair bit.
    virtual bool Bit() = 0;
};

// Hands out bits from 64-bit words, so that small draws (one per pixel) use
// only as many random bits as they need.
class BitPoolRandom : public RandomSource {
public:
    std::uint32_t Below(std::uint32_t bound) final;
    bool Bit() final;

protected:
    virtual std::uint64_t NextWord() = 0;

private:
    std::uint64_t TakeBits(unsigned count); // 1 <= count <= 32
    std::uint64_t m_pool = 0;
    unsigned m_poolBits = 0;
};

// The operating system's generator (getrandom), read in large blocks.
class SystemRandom final : public BitPoolRandom {
protected:
    std::uint64_t NextWord() override;

private:
    void Refill();
    std::vector<std::uint64_t> m_buffer;
    std::size_t m_next = 0;
};

// Deterministic: the same seed gives the same draws. For tests and reproducible
// runs only; it is NOT secret, anyone who knows the seed can recompute a split.
class SeededRandom final : public BitPoolRandom {
public:
    explicit SeededRandom(std::uint64_t seed);

protected:
    std::uint64_t NextWord() override;

private:
    std::uint64_t m_state[4];
};

} // namespace lumisplit
