#include "translation/Dictionary.h"

#include "TextHash.h"
#include "platform/ErrorReport.h"
#include "translation/CaseFolding.h"
#include "translation/DictionaryFormat.h"
#include "translation/DictionaryReader.h"
#include "translation/TextDecoder.h"

#include <algorithm>
#include <bit>
#include <new>

namespace translation {

namespace {

std::uint32_t foldedHash(const FoldBuffer& folded, const TextHash& hash = TextHash::processKey())
{
    const std::uint64_t h = hash(folded.data(), folded.size());
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// How many entries ahead the index fetches a slot while it is built.
constexpr std::size_t PrefetchAhead = 16;

// The index of a file whose lines average fewer bytes than this starts
// small and grows with the different sources it meets; a longer-lined file
// gets its whole index at once.
constexpr std::size_t PresizedLineLength = 16;
constexpr std::size_t SmallIndex = 1024;

} // namespace

std::optional<Dictionary> Dictionary::fromBytes(std::string_view bytes)
{
    return build(bytes, nullptr);
}

std::optional<Dictionary> Dictionary::fromFileBytes(std::string&& bytes)
{
    return build(bytes, &bytes);
}

std::optional<Dictionary> Dictionary::build(std::string_view bytes, std::string* owner)
{
    if (bytes.size() > std::size_t(MaxDictionarySize)) {
        return std::nullopt;
    }
    const EncodingChoice choice = detectEncoding(bytes);
    bytes.remove_prefix(choice.markLength);
    const TextDecoder decoder(choice.encoding);

    Dictionary dictionary;
    // Counting the lines first sizes the ranges exactly: a file of short
    // lines is all ranges, and a growing vector would hold up to three
    // times what they need while it moves them.
    const std::size_t lineCount = countLines(bytes);
    dictionary.m_bounds.reserve(lineCount * 2);
    // Every byte gives at most one UTF-16 unit; what is not written is
    // given back below (and pages never written are never touched).
    const std::size_t capacity = std::max<std::size_t>(TextDecoder::maxUnits(bytes.size()), 1);
    dictionary.m_texts.reset(static_cast<char16_t*>(std::malloc(capacity * sizeof(char16_t))));
    if (!dictionary.m_texts) {
        throw std::bad_alloc();
    }
    dictionary.m_textCapacity = capacity;

    // A line with a non-empty source takes at least five bytes and a line
    // end, so a file of many short lines holds few different sources; the
    // index never needs more than twice as many slots as there can be
    // different sources, and stays at most half full.
    //
    // A file of long lines gets its whole index at once, built after the
    // texts from their hashes, once the file's own bytes are gone. In a file
    // of short lines a hash an entry would weigh as much as the ranges, so
    // there each entry goes into a small index at once, which grows with
    // the different sources it meets.
    const std::size_t distinctBound = std::min(lineCount, bytes.size() / 6 + 2);
    const bool presized = lineCount * PresizedLineLength <= bytes.size() + PresizedLineLength;
    std::vector<std::uint32_t> hashes;
    if (presized) {
        hashes.reserve(lineCount);
    } else {
        dictionary.m_index.assign(
            std::min(std::bit_ceil(std::max<std::size_t>(8, distinctBound * 2)), SmallIndex),
            Slot{EmptySlot, 0});
    }

    char16_t* const texts = dictionary.m_texts.get();
    std::size_t used = 0;
    const auto append = [&](std::string_view text) {
        used = std::size_t(decoder.decode(text, texts + used) - texts);
    };
    // Offsets into the texts are 32-bit: with at most MaxDictionarySize
    // bytes, and a unit a byte at most, they fit.
    const auto offset = [&used] { return static_cast<std::uint32_t>(used); };
    FoldBuffer folded;
    FoldBuffer scratch;
    const TextHash& key = TextHash::processKey();
    std::size_t filled = 0;
    std::uint32_t entry = 0;
    // Lines without a source are common (every empty line); only the first
    // of them can ever be found.
    bool emptySourceSeen = false;
    forEachLine(bytes, [&](std::string_view line) {
        const LineParts parts = splitLine(line);
        const std::string_view source = line.substr(parts.source.begin, parts.source.size());
        const std::size_t sourceBegin = used;
        dictionary.m_bounds.push_back(offset());
        append(source);
        // The source's range is complete before the index compares it.
        dictionary.m_bounds.push_back(offset());
        if (presized || !source.empty() || !emptySourceSeen) {
            emptySourceSeen = emptySourceSeen || source.empty();
            // The hash is taken while the text is in the cache.
            if (!decoder.decodeFolded(source, folded)) {
                caseFold(std::u16string_view(texts + sourceBegin, used - sourceBegin), folded);
            }
            const std::uint32_t hash = foldedHash(folded, key);
            if (presized) {
                hashes.push_back(hash);
            } else {
                if ((filled + 1) * 2 > dictionary.m_index.size()) {
                    dictionary.growIndex();
                }
                if (dictionary.insert(entry, hash, scratch)) {
                    ++filled;
                }
            }
        }
        ++entry;
        append(line.substr(parts.target.begin, parts.target.size()));
    });
    dictionary.m_end = offset();
    if (owner) {
        std::string().swap(*owner);
    }
    // Shrinking gives the unused tail back in place.
    if (used < capacity) {
        if (void* shrunk = std::realloc(texts, std::max<std::size_t>(used, 1) * sizeof(char16_t))) {
            dictionary.m_texts.release();
            dictionary.m_texts.reset(static_cast<char16_t*>(shrunk));
            dictionary.m_textCapacity = std::max<std::size_t>(used, 1);
        }
    }
    if (presized) {
        dictionary.buildIndex(hashes, distinctBound);
    }
    return dictionary;
}

void Dictionary::buildIndex(const std::vector<std::uint32_t>& hashes, std::size_t distinctBound)
{
    const std::size_t slotCount = std::bit_ceil(std::max<std::size_t>(8, distinctBound * 2));
    m_index.assign(slotCount, Slot{EmptySlot, 0});
    const std::size_t mask = slotCount - 1;
    const std::size_t count = hashes.size();
    FoldBuffer scratch;
    for (std::size_t entry = 0; entry < count; ++entry) {
#if defined(__GNUC__)
        // The slot of an entry a little ahead is fetched into the cache
        // while this one goes in; a large index is otherwise one cache miss
        // an entry.
        if (entry + PrefetchAhead < count) {
            __builtin_prefetch(&m_index[hashes[entry + PrefetchAhead] & mask]);
        }
#endif
        insert(static_cast<std::uint32_t>(entry), hashes[entry], scratch);
    }
}

bool Dictionary::insert(std::uint32_t entry, std::uint32_t hash, FoldBuffer& folded)
{
    const std::size_t mask = m_index.size() - 1;
    std::size_t i = hash & mask;
    bool foldedReady = false;
    for (; m_index[i].entry != EmptySlot; i = (i + 1) & mask) {
        if (m_index[i].hash != hash) {
            continue;
        }
        const std::u16string_view candidate = source(m_index[i].entry);
        if (candidate.size() != source(entry).size()) {
            continue;
        }
        if (!foldedReady) {
            caseFold(source(entry), folded);
            foldedReady = true;
        }
        if (equalFolded(candidate, folded)) {
            return false; // the earlier entry wins
        }
    }
    m_index[i] = Slot{entry, hash};
    return true;
}

void Dictionary::growIndex()
{
    std::vector<Slot> old(m_index.size() * 2, Slot{EmptySlot, 0});
    old.swap(m_index);
    const std::size_t mask = m_index.size() - 1;
    for (const Slot& slot : old) {
        if (slot.entry == EmptySlot) {
            continue;
        }
        std::size_t i = slot.hash & mask;
        while (m_index[i].entry != EmptySlot) {
            i = (i + 1) & mask;
        }
        m_index[i] = slot;
    }
}

std::ptrdiff_t Dictionary::find(std::u16string_view text) const
{
    if (m_index.empty()) {
        return -1;
    }
    FoldBuffer folded;
    caseFold(text, folded);
    const std::uint32_t hash = foldedHash(folded);
    const std::size_t mask = m_index.size() - 1;
    for (std::size_t i = hash & mask; m_index[i].entry != EmptySlot; i = (i + 1) & mask) {
        if (m_index[i].hash == hash && equalFolded(source(m_index[i].entry), folded)) {
            return m_index[i].entry; // simple folding keeps the length in UTF-16 units
        }
    }
    return -1;
}

namespace {

// `text` as it is shown: "||" as CR LF. A view of `text` itself when it
// holds no mark, else of `storage`, which then holds the result.
std::u16string_view withLineBreaks(std::u16string_view text, std::u16string& storage,
                                   bool marksKnown = false, bool hasMarks = false)
{
    if (!(marksKnown ? hasMarks : (lineBreaksAndMarks(text) & HasMark) != 0)) {
        return text;
    }
    storage = fromLineBreakMarks(std::u16string(text));
    return storage;
}

std::u16string owned(std::u16string_view text, std::u16string&& storage)
{
    if (text.data() == storage.data() && text.size() == storage.size()) {
        return std::move(storage);
    }
    return std::u16string(text);
}

} // namespace

std::u16string_view Dictionary::translate(std::u16string_view text, std::u16string& storage) const
{
    std::u16string_view key = text;
    const unsigned found = lineBreaksAndMarks(text);
    if (found & HasLineBreak) {
        storage = toLineBreakMarks(std::u16string(text));
        key = storage;
    }
    const std::ptrdiff_t entry = find(key);
    if (entry >= 0) {
        return withLineBreaks(target(entry), storage);
    }
    // Not found: the text goes back with its line breaks, and any marks of
    // its own turned into line breaks.
    return withLineBreaks(key, storage, true, found != 0);
}

std::u16string Dictionary::translate(std::u16string_view text) const
{
    std::u16string storage;
    const std::u16string_view result = translate(text, storage);
    return owned(result, std::move(storage));
}

std::size_t Dictionary::memoryUsed() const
{
    return (m_texts ? m_textCapacity * sizeof(char16_t) : 0) +
           m_bounds.capacity() * sizeof(std::uint32_t) + m_index.capacity() * sizeof(Slot);
}

namespace {

struct LoadedState
{
    bool loaded = false;
    std::optional<Dictionary> dictionary;
};

LoadedState& loadedState()
{
    static LoadedState state;
    return state;
}

// One line for a dictionary that is not read whole: its name and the words
// the check tool uses for the same (readProblem).
void reportProblem(const std::string& path, const std::string& problem, bool untranslated)
{
    platform::reportError("dictionary " + path + " " + problem +
                          (untranslated ? "; texts stay untranslated" : ""));
}

} // namespace

void LoadDictionary(const std::string& path)
{
    LoadedState& state = loadedState();
    state = LoadedState{};
    try {
        FileReadResult file = readDictionaryFile(path);
        if (file.status == FileReadResult::Status::Missing) {
            return;
        }
        if (file.status != FileReadResult::Status::Complete) {
            const bool partly = file.status == FileReadResult::Status::ReadFailed;
            reportProblem(path, readProblem(file) + (partly ? UsingTheLinesBefore : ""), !partly);
            if (!partly) {
                return;
            }
        }
        std::optional<Dictionary> dictionary = Dictionary::fromFileBytes(std::move(file.bytes));
        if (!dictionary) {
            reportProblem(path, TooLargeToRead, true);
            return;
        }
        state.dictionary = std::move(dictionary);
        state.loaded = true;
    } catch (const std::bad_alloc&) {
        state = LoadedState{};
        reportProblem(path, "cannot be read: not enough memory", true);
    }
}

std::u16string_view TranslateText(std::u16string_view text, std::u16string& storage)
{
    const LoadedState& state = loadedState();
    if (state.loaded) {
        return state.dictionary->translate(text, storage);
    }
    if (!hasLineBreak(text)) {
        return withLineBreaks(text, storage);
    }
    storage = fromLineBreakMarks(toLineBreakMarks(std::u16string(text)));
    return storage;
}

std::u16string TranslateText(std::u16string_view text)
{
    std::u16string storage;
    const std::u16string_view result = TranslateText(text, storage);
    return owned(result, std::move(storage));
}

bool DictionaryLoaded()
{
    return loadedState().loaded;
}

const Dictionary* LoadedDictionary()
{
    const LoadedState& state = loadedState();
    return state.loaded ? &*state.dictionary : nullptr;
}

namespace {

std::vector<std::u16string> collect(std::u16string_view (Dictionary::*text)(std::ptrdiff_t) const)
{
    std::vector<std::u16string> texts;
    if (const Dictionary* dictionary = LoadedDictionary()) {
        texts.reserve(std::size_t(dictionary->size()));
        for (std::ptrdiff_t entry = 0; entry < dictionary->size(); ++entry) {
            texts.emplace_back((dictionary->*text)(entry));
        }
    }
    return texts;
}

} // namespace

std::vector<std::u16string> SourceTexts()
{
    return collect(&Dictionary::source);
}

std::vector<std::u16string> TargetTexts()
{
    return collect(&Dictionary::target);
}

} // namespace translation
