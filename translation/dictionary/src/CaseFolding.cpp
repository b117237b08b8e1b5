#include "translation/CaseFolding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace translation {

namespace {

struct Mapping
{
    char32_t from;
    char32_t to;
};

constexpr Mapping Mappings[] = {
#include "CaseFoldingMappings.inc"
};

constexpr std::size_t BlockSize = 256;
// Blocks of 256 code points from U+0000 up to the last one that folds.
constexpr std::size_t BlockCount = [] {
    char32_t last = 0;
    for (const Mapping& m : Mappings) {
        last = m.from > last ? m.from : last;
    }
    return std::size_t(last / BlockSize) + 1;
}();

// Each block that holds a mapping gets its own row of 256 differences
// (folded minus code point, modulo 2^16); every other block shares row 0,
// which is all zeros.
constexpr std::size_t RowCount = [] {
    std::array<bool, BlockCount> used{};
    std::size_t rows = 1;
    for (const Mapping& m : Mappings) {
        if (!used[m.from / BlockSize]) {
            used[m.from / BlockSize] = true;
            ++rows;
        }
    }
    return rows;
}();
static_assert(RowCount <= 256, "the block index holds a byte");

struct Tables
{
    std::array<std::uint8_t, BlockCount> rowOfBlock{};
    std::array<std::uint16_t, RowCount * BlockSize> differences{};
};

constexpr Tables makeTables()
{
    Tables tables;
    std::size_t rows = 1;
    for (const Mapping& m : Mappings) {
        // Folding keeps a code point in its plane: the difference is then
        // enough, and a folded text keeps its length in UTF-16 units.
        if (m.from >> 16 != m.to >> 16) {
            throw "a folding leaves its plane";
        }
        std::uint8_t& row = tables.rowOfBlock[m.from / BlockSize];
        if (row == 0) {
            row = static_cast<std::uint8_t>(rows++);
        }
        tables.differences[row * BlockSize + m.from % BlockSize] =
            static_cast<std::uint16_t>(m.to - m.from);
    }
    return tables;
}

constexpr Tables FoldTables = makeTables();

// Every unit's block lies below BlockCount: folding reaches past U+FFFF.
static_assert(BlockCount > 0xffff / BlockSize);

using UnitTable = std::array<char16_t, 0x10000>;

// The folding of every UTF-16 unit, flat, so that folding a text costs one
// load a unit (128 KiB, made once per process: too many steps for every
// compiler to make it).
const UnitTable& unitFolds()
{
    static const std::unique_ptr<const UnitTable> table = [] {
        auto folds = std::make_unique<UnitTable>();
        for (std::size_t unit = 0; unit < 0x10000; ++unit) {
            const std::size_t row = FoldTables.rowOfBlock[unit / BlockSize];
            (*folds)[unit] = static_cast<char16_t>(
                unit + FoldTables.differences[row * BlockSize + unit % BlockSize]);
        }
        return folds;
    }();
    return *table;
}

} // namespace

char16_t foldUnit(char16_t unit)
{
    return unitFolds()[unit];
}

char32_t foldCodePoint(char32_t codePoint)
{
    if (codePoint / BlockSize >= BlockCount) {
        return codePoint;
    }
    const std::size_t row = FoldTables.rowOfBlock[codePoint / BlockSize];
    const std::uint16_t low = static_cast<std::uint16_t>(
        codePoint + FoldTables.differences[row * BlockSize + codePoint % BlockSize]);
    return (codePoint & ~char32_t(0xffff)) | low;
}

bool equalFolded(std::u16string_view text, const FoldBuffer& folded)
{
    const std::size_t size = text.size();
    if (size != folded.size()) {
        return false;
    }
    const char16_t* in = text.data();
    const char16_t* want = folded.data();
    const UnitTable& folds = unitFolds();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = in[i];
        if ((unit & 0xf800) == 0xd800) {
            // A surrogate: the rest of the text the long way.
            FoldBuffer rest;
            caseFold(text.substr(i), rest);
            return std::equal(rest.begin(), rest.end(), want + i);
        }
        if (folds[unit] != want[i]) {
            return false;
        }
    }
    return true;
}

void caseFold(std::u16string_view text, FoldBuffer& out)
{
    const std::size_t size = text.size();
    out.resize(size);
    const char16_t* in = text.data();
    char16_t* dst = out.data();
    const UnitTable& folds = unitFolds();
    bool surrogates = false;
    for (std::size_t i = 0; i < size; ++i) {
        surrogates |= (in[i] & 0xf800) == 0xd800;
    }
    if (!surrogates) {
        for (std::size_t i = 0; i < size; ++i) {
            dst[i] = folds[in[i]];
        }
        return;
    }
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = in[i];
        const bool high = (unit & 0xfc00) == 0xd800;
        if (high && i + 1 < size && (in[i + 1] & 0xfc00) == 0xdc00) {
            const char32_t codePoint =
                0x10000 + ((char32_t(unit) - 0xd800) << 10) + (char32_t(in[i + 1]) - 0xdc00);
            const char32_t folded = foldCodePoint(codePoint) - 0x10000;
            dst[i] = static_cast<char16_t>(0xd800 + (folded >> 10));
            dst[i + 1] = static_cast<char16_t>(0xdc00 + (folded & 0x3ff));
            ++i;
        } else {
            dst[i] = folds[unit]; // a surrogate's row is all zeros
        }
    }
}

} // namespace translation
