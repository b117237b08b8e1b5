#include "TextHash.h"

#include <cstring>
#include <random>

namespace translation {

namespace {

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Product;
#endif

std::uint64_t multiplyFold(std::uint64_t a, std::uint64_t b)
{
#if defined(__SIZEOF_INT128__)
    const Product product = static_cast<Product>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
#else
    // Four 32 x 32 -> 64-bit products, for targets without a 128-bit type.
    const std::uint64_t aLow = a & 0xffffffffu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xffffffffu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow, highHigh = aHigh * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xffffffffu) + (highLow & 0xffffffffu);
    const std::uint64_t low = (lowLow & 0xffffffffu) | (middle << 32);
    const std::uint64_t high = highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
    return low ^ high;
#endif
}

// SplitMix64's step: turns a counter into well-spread words.
std::uint64_t splitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

} // namespace

const TextHash& TextHash::processKey()
{
    static const TextHash key = [] {
        TextHash hash;
        // The system's random source, and the address the loader gave this
        // process's data where that source is weak.
        static const char anchor = 0;
        std::random_device device;
        std::uint64_t state =
            (std::uint64_t(device()) << 32) ^ device() ^ reinterpret_cast<std::uintptr_t>(&anchor);
        for (std::uint64_t& secret : hash.m_secret) {
            secret = splitMix(state) | 1; // odd: a multiplier never loses bits
        }
        return hash;
    }();
    return key;
}

std::uint64_t TextHash::operator()(const char16_t* units, std::size_t count) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(units);
    std::size_t size = count * sizeof(char16_t);
    std::uint64_t h = m_secret[0] ^ multiplyFold(size ^ m_secret[1], m_secret[2]);
    for (; size >= 16; bytes += 16, size -= 16) {
        std::uint64_t a, b;
        std::memcpy(&a, bytes, 8);
        std::memcpy(&b, bytes + 8, 8);
        h = multiplyFold(a ^ m_secret[1], b ^ h ^ m_secret[2]);
    }
    std::uint64_t a = 0, b = 0;
    if (size > 8) {
        std::memcpy(&a, bytes, 8);
        std::memcpy(&b, bytes + 8, size - 8);
    } else {
        std::memcpy(&a, bytes, size);
    }
    h = multiplyFold(a ^ m_secret[1], b ^ h ^ m_secret[3]);
    return multiplyFold(h ^ m_secret[0], m_secret[3]);
}

} // namespace translation
