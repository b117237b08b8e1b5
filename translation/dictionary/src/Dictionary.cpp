#include "translation/Dictionary.h"

#include "translation/DictionaryFormat.h"
#include "translation/DictionaryReader.h"
#include "translation/TextDecoder.h"

#include <QHashFunctions>
#include <algorithm>
#include <bit>
#include <cstdio>
#include <new>

namespace translation {

namespace {

std::size_t foldedHash(const FoldBuffer& folded, std::size_t seed)
{
    // Qt's string hash is seeded per process, so no file can be made to
    // collide on purpose; its low bits are unevenly spread, though, and the
    // index takes its slot and its check value from them. A 64-bit
    // finalizer (MurmurHash3's, a bijection) spreads every bit.
    std::uint64_t h = qHash(QStringView(folded.data(), folded.size()), seed);
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return static_cast<std::size_t>(h);
}

bool sameUnits(const FoldBuffer& a, const FoldBuffer& b)
{
    return a.size() == b.size() &&
           std::equal(a.data(), a.data() + a.size(), b.data(), b.data() + b.size());
}

} // namespace

std::optional<Dictionary> Dictionary::fromBytes(QByteArrayView bytes)
{
    if (bytes.size() > MaxDictionarySize)
        return std::nullopt;
    const EncodingChoice choice = detectEncoding(bytes);
    bytes = bytes.sliced(choice.markLength);
    TextDecoder decoder(choice.encoding);
    if (!decoder.isValid())
        return std::nullopt;

    Dictionary dictionary;
    // Every byte gives at most one UTF-16 unit, whichever the encoding.
    qsizetype capacity = TextDecoder::maxUnits(bytes.size());
    dictionary.m_texts = QString(capacity, Qt::Uninitialized);
    qsizetype used = 0;
    const auto append = [&](QByteArrayView text) {
        if (capacity - used < TextDecoder::maxUnits(text.size())) {
            // Not reached with the decoders used; kept so that no decoder
            // can ever write past the buffer.
            capacity = std::max(capacity * 2, used + TextDecoder::maxUnits(text.size()));
            dictionary.m_texts.resize(capacity);
        }
        QChar* begin = dictionary.m_texts.data() + used;
        used += decoder.decode(text, begin) - begin;
    };
    // Offsets into the texts are 32-bit: both decoders give at most one
    // unit a byte, so with at most MaxDictionarySize bytes they fit.
    const auto offset = [&used] { return static_cast<std::uint32_t>(used); };
    dictionary.m_seed = QHashSeed::globalSeed();
    // The hash of each folded source, taken while the text is in the cache.
    std::vector<std::size_t> hashes;
    FoldBuffer folded;
    forEachLine(bytes, [&](QByteArrayView line) {
        const LineParts parts = splitLine(line);
        const qsizetype sourceBegin = used;
        const QByteArrayView source = line.sliced(parts.source.begin, parts.source.size());
        dictionary.m_bounds.push_back(offset());
        append(source);
        if (!decoder.decodeFolded(source, folded))
            caseFold(QStringView(dictionary.m_texts).sliced(sourceBegin, used - sourceBegin),
                     folded);
        hashes.push_back(foldedHash(folded, dictionary.m_seed));
        dictionary.m_bounds.push_back(offset());
        append(line.sliced(parts.target.begin, parts.target.size()));
    });
    dictionary.m_end = offset();
    dictionary.m_texts.truncate(used);
    dictionary.m_texts.squeeze();
    dictionary.m_bounds.shrink_to_fit();
    dictionary.buildIndex(hashes, bytes.size());
    return dictionary;
}

void Dictionary::buildIndex(const std::vector<std::size_t>& hashes, qsizetype byteCount)
{
    const qsizetype count = size();
    // A line with a non-empty source takes at least five bytes and a line
    // end, so a file of many short lines holds few different sources; the
    // index never needs more than twice as many slots as there can be
    // different sources, and stays at most half full.
    const qsizetype distinctBound = std::min(count, byteCount / 6 + 2);
    const std::size_t slotCount =
        std::bit_ceil(std::max<std::size_t>(8, std::size_t(distinctBound) * 2));
    m_index.assign(slotCount, Slot{EmptySlot, 0});
    const std::size_t mask = slotCount - 1;
    // The slot of an entry a little ahead is fetched into the cache while
    // this one goes in; a large index is otherwise one cache miss an entry.
    constexpr qsizetype Ahead = 16;
    FoldBuffer folded;
    FoldBuffer other;
    for (qsizetype entry = 0; entry < count; ++entry) {
#if defined(__GNUC__)
        if (entry + Ahead < count)
            __builtin_prefetch(&m_index[hashes[std::size_t(entry + Ahead)] & mask]);
#endif
        const std::size_t hash = hashes[std::size_t(entry)];
        const auto shortHash = static_cast<std::uint32_t>(hash);
        std::size_t i = hash & mask;
        bool duplicate = false;
        bool foldedReady = false;
        for (; m_index[i].entry != EmptySlot; i = (i + 1) & mask) {
            if (m_index[i].hash != shortHash)
                continue;
            if (!foldedReady) {
                caseFold(source(entry), folded);
                foldedReady = true;
            }
            caseFold(source(m_index[i].entry), other);
            if (sameUnits(folded, other)) {
                duplicate = true; // the earlier entry wins
                break;
            }
        }
        if (!duplicate)
            m_index[i] = Slot{static_cast<std::uint32_t>(entry), shortHash};
    }
}

qsizetype Dictionary::find(QStringView text) const
{
    if (m_index.empty())
        return -1;
    FoldBuffer folded;
    caseFold(text, folded);
    const std::size_t hash = foldedHash(folded, m_seed);
    const auto shortHash = static_cast<std::uint32_t>(hash);
    const std::size_t mask = m_index.size() - 1;
    FoldBuffer other;
    for (std::size_t i = hash & mask; m_index[i].entry != EmptySlot; i = (i + 1) & mask) {
        if (m_index[i].hash != shortHash)
            continue;
        const QStringView candidate = source(m_index[i].entry);
        if (candidate.size() != text.size())
            continue; // simple folding keeps the length in UTF-16 units
        caseFold(candidate, other);
        if (sameUnits(folded, other))
            return m_index[i].entry;
    }
    return -1;
}

QString Dictionary::translate(const QString& text) const
{
    const QString key = toLineBreakMarks(text);
    const qsizetype entry = find(key);
    if (entry < 0)
        return fromLineBreakMarks(key);
    return fromLineBreakMarks(target(entry).toString());
}

std::size_t Dictionary::memoryUsed() const
{
    return std::size_t(m_texts.capacity()) * sizeof(QChar) +
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

void reportUnreadable(const std::string& path, const QString& reason)
{
    std::fprintf(stderr,
                 "derize-zizir: dictionary %s cannot be read (%s); texts stay untranslated\n",
                 path.c_str(), qPrintable(reason));
}

} // namespace

void LoadDictionary(const std::string& path)
{
    LoadedState& state = loadedState();
    state = LoadedState{};
    try {
        FileReadResult file = readDictionaryFile(path);
        switch (file.status) {
        case FileReadResult::Status::Missing:
            return;
        case FileReadResult::Status::NotAFile:
        case FileReadResult::Status::CannotOpen:
            reportUnreadable(path, file.error);
            return;
        case FileReadResult::Status::ReadFailed:
            std::fprintf(stderr,
                         "derize-zizir: reading dictionary %s failed (%s); only the %lld bytes "
                         "of whole lines before the failure are used\n",
                         path.c_str(), qPrintable(file.error),
                         static_cast<long long>(file.bytes.size()));
            break;
        case FileReadResult::Status::Complete:
            break;
        }
        std::optional<Dictionary> dictionary = Dictionary::fromBytes(file.bytes);
        if (!dictionary) {
            reportUnreadable(path, QStringLiteral("this Qt has no Windows-1251 converter"));
            return;
        }
        state.dictionary = std::move(dictionary);
        state.loaded = true;
    } catch (const std::bad_alloc&) {
        state = LoadedState{};
        reportUnreadable(path, QStringLiteral("not enough memory"));
    }
}

QString TranslateText(const QString& text)
{
    const LoadedState& state = loadedState();
    if (state.loaded)
        return state.dictionary->translate(text);
    return fromLineBreakMarks(toLineBreakMarks(text));
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

QStringList collect(QStringView (Dictionary::*text)(qsizetype) const)
{
    QStringList texts;
    if (const Dictionary* dictionary = LoadedDictionary()) {
        texts.reserve(dictionary->size());
        for (qsizetype entry = 0; entry < dictionary->size(); ++entry)
            texts.append((dictionary->*text)(entry).toString());
    }
    return texts;
}

} // namespace

QStringList SourceTexts()
{
    return collect(&Dictionary::source);
}

QStringList TargetTexts()
{
    return collect(&Dictionary::target);
}

} // namespace translation
