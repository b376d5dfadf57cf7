#pragma once
// Where every random choice of a split comes from. The default draws from the
// operating system's cryptographic generator: shares are only as secret as the
// column choices are unpredictable.

#include <bit>
#include <cstddef>
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
// only as many random bits as they need. Below and Bit are inline: code that
// holds a BitPoolRandom& draws without a call per pixel.
class BitPoolRandom : public RandomSource {
public:
    std::uint32_t Below(std::uint32_t bound) final {
        if (bound <= 1)
            return 0;
        // Draw just enough bits to cover bound-1 and reject the values beyond
        // it: uniform, and fewer than two tries on average.
        const auto bits = static_cast<unsigned>(std::bit_width(bound - 1));
        for (;;) {
            const auto value = static_cast<std::uint32_t>(TakeBits(bits));
            if (value < bound)
                return value;
        }
    }
    bool Bit() final { return TakeBits(1) != 0; }

protected:
    virtual std::uint64_t NextWord() = 0;

private:
    std::uint64_t TakeBits(unsigned count) { // 1 <= count <= 32
        if (m_poolBits < count)
            return TakeBitsRefilling(count);
        const std::uint64_t value = m_pool & ((std::uint64_t{1} << count) - 1);
        m_pool >>= count;
        m_poolBits -= count;
        return value;
    }
    std::uint64_t TakeBitsRefilling(unsigned count);
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
