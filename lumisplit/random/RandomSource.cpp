#include "random/RandomSource.h"

#include <cerrno>
#include <cstddef>
#include <sys/random.h>
#include <system_error>

namespace lumisplit {

std::uint64_t BitPoolRandom::TakeBitsRefilling(unsigned count) {
    // Keep the leftover bits and top up from a fresh word.
    const unsigned have = m_poolBits;
    const std::uint64_t low = m_pool;
    m_pool = NextWord();
    const unsigned need = count - have;
    const std::uint64_t high = m_pool & ((std::uint64_t{1} << need) - 1);
    m_pool >>= need;
    m_poolBits = 64 - need;
    return low | (high << have);
}

void SystemRandom::Refill() {
    constexpr std::size_t kWords = 1024;
    m_buffer.resize(kWords);
    auto* bytes = reinterpret_cast<unsigned char*>(m_buffer.data());
    std::size_t filled = 0;
    const std::size_t total = kWords * sizeof(std::uint64_t);
    while (filled < total) {
        const ssize_t got = getrandom(bytes + filled, total - filled, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            // Never fall back to something predictable.
            throw std::system_error(errno, std::generic_category(), "getrandom");
        }
        filled += static_cast<std::size_t>(got);
    }
    m_next = 0;
}

std::uint64_t SystemRandom::NextWord() {
    if (m_next >= m_buffer.size())
        Refill();
    return m_buffer[m_next++];
}

namespace {
std::uint64_t SplitMix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

SeededRandom::SeededRandom(std::uint64_t seed) {
    for (auto& word : m_state)
        word = SplitMix64(seed);
}

// xoshiro256**: fast and well distributed, but predictable by design.
std::uint64_t SeededRandom::NextWord() {
    const std::uint64_t result = std::rotl(m_state[1] * 5, 7) * 9;
    const std::uint64_t t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = std::rotl(m_state[3], 45);
    return result;
}

} // namespace lumisplit
