#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace translation {

class FoldBuffer;

// The entries of one dictionary file, in file order, duplicates included,
// with an index that finds the first entry whose source equals a text
// under Unicode simple case folding.
//
// All texts share one UTF-16 buffer; an entry is two ranges in it. The
// index is an open-addressing table of entry numbers keyed by the hash of
// the folded source, so a lookup costs one fold of the text, one hash and,
// on average, one comparison.
class Dictionary
{
public:
    Dictionary() = default;

    // Splits and decodes the bytes of a dictionary file and builds the
    // index. Empty when the file is larger than MaxDictionarySize.
    static std::optional<Dictionary> fromBytes(std::string_view bytes);
    // The same from a file's bytes, which are given back as soon as the
    // texts are decoded, before the index is built.
    static std::optional<Dictionary> fromFileBytes(std::string&& bytes);

    std::ptrdiff_t size() const { return static_cast<std::ptrdiff_t>(m_bounds.size() / 2); }
    std::u16string_view source(std::ptrdiff_t entry) const
    {
        const auto k = std::size_t(entry) * 2;
        return {m_texts.get() + m_bounds[k], std::size_t(m_bounds[k + 1] - m_bounds[k])};
    }
    std::u16string_view target(std::ptrdiff_t entry) const
    {
        const auto k = std::size_t(entry) * 2;
        const std::uint32_t end = k + 2 < m_bounds.size() ? m_bounds[k + 2] : m_end;
        return {m_texts.get() + m_bounds[k + 1], std::size_t(end - m_bounds[k + 1])};
    }

    // The first entry whose source equals `text` ignoring case, or -1.
    std::ptrdiff_t find(std::u16string_view text) const;

    // `text` with CR LF as "||", replaced by the first matching entry's
    // target if any, then with "||" as CR LF.
    std::u16string translate(std::u16string_view text) const;
    // The same without a copy where none is needed: a view of the target or
    // of `text` itself, or, where a mark changed, of `storage`.
    std::u16string_view translate(std::u16string_view text, std::u16string& storage) const;

    // Bytes held by this dictionary's texts, ranges and index.
    std::size_t memoryUsed() const;

private:
    struct Slot
    {
        std::uint32_t entry;
        std::uint32_t hash;
    };
    static constexpr std::uint32_t EmptySlot = 0xffffffffu;

    struct FreeUnits
    {
        void operator()(char16_t* units) const { std::free(units); }
    };

    // Puts `entry`, whose folded source has `hash`, into the index unless
    // an earlier entry has the same folded source; true when it went in.
    // `scratch` holds the folded source when a comparison needs it.
    bool insert(std::uint32_t entry, std::uint32_t hash, FoldBuffer& scratch);
    // Twice as many slots, every entry in its new place.
    void growIndex();
    // The whole index at once, from each entry's hash, for up to
    // `distinctBound` different sources.
    void buildIndex(const std::vector<std::uint32_t>& hashes, std::size_t distinctBound);
    // Decodes `bytes` into a dictionary; `owner`, when given, holds them and
    // is emptied once they are no longer needed.
    static std::optional<Dictionary> build(std::string_view bytes, std::string* owner);

    std::unique_ptr<char16_t[], FreeUnits> m_texts;
    std::size_t m_textCapacity = 0;
    // Entry k's source is [m_bounds[2k], m_bounds[2k+1]) of m_texts, its
    // target [m_bounds[2k+1], m_bounds[2k+2]) (the last one ends at m_end).
    std::vector<std::uint32_t> m_bounds;
    std::uint32_t m_end = 0;
    std::vector<Slot> m_index;
};

// Reads the interface dictionary at `path` (bytes, as the file system
// spells it). Called once at start-up; a missing file leaves every text
// untranslated, and a file that exists but cannot be read leaves one line
// on standard error as well.
void LoadDictionary(const std::string& path);

// The text to display in place of `text`: CR LF is looked up as "||", and
// "||" in the result is shown as CR LF.
std::u16string TranslateText(std::u16string_view text);
// The same without a copy where none is needed (see Dictionary::translate):
// valid while `storage`, `text` and the loaded dictionary are.
std::u16string_view TranslateText(std::u16string_view text, std::u16string& storage);

// Whether a dictionary file was opened by the last LoadDictionary.
bool DictionaryLoaded();

// The loaded dictionary, or null.
const Dictionary* LoadedDictionary();

// Copies of the loaded entries' texts in file order (empty without one).
std::vector<std::u16string> SourceTexts();
std::vector<std::u16string> TargetTexts();

} // namespace translation
