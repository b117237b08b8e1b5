#pragma once

#include "translation/DictionaryReader.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace translation {

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
    // index. Empty when this Qt build cannot decode Windows-1251 or the
    // file is larger than MaxDictionarySize.
    static std::optional<Dictionary> fromBytes(QByteArrayView bytes);

    qsizetype size() const { return static_cast<qsizetype>(m_bounds.size() / 2); }
    QStringView source(qsizetype entry) const
    {
        const auto k = std::size_t(entry) * 2;
        return QStringView(m_texts).sliced(m_bounds[k], qsizetype(m_bounds[k + 1] - m_bounds[k]));
    }
    QStringView target(qsizetype entry) const
    {
        const auto k = std::size_t(entry) * 2;
        const std::uint32_t end = k + 2 < m_bounds.size() ? m_bounds[k + 2] : m_end;
        return QStringView(m_texts).sliced(m_bounds[k + 1], qsizetype(end - m_bounds[k + 1]));
    }

    // The first entry whose source equals `text` ignoring case, or -1.
    qsizetype find(QStringView text) const;

    // `text` with CR LF as "||", replaced by the first matching entry's
    // target if any, then with "||" as CR LF.
    QString translate(const QString& text) const;

    // Bytes held by this dictionary's texts, ranges and index.
    std::size_t memoryUsed() const;

private:
    struct Slot
    {
        std::uint32_t entry;
        std::uint32_t hash;
    };
    static constexpr std::uint32_t EmptySlot = 0xffffffffu;

    void buildIndex(const std::vector<std::size_t>& hashes, qsizetype byteCount);

    QString m_texts;
    // Entry k's source is [m_bounds[2k], m_bounds[2k+1]) of m_texts, its
    // target [m_bounds[2k+1], m_bounds[2k+2]) (the last one ends at m_end).
    std::vector<std::uint32_t> m_bounds;
    std::uint32_t m_end = 0;
    std::vector<Slot> m_index;
    std::size_t m_seed = 0;
};

// Reads the interface dictionary at `path` (bytes, as the file system
// spells it). Called once at start-up; a missing file leaves every text
// untranslated, and a file that exists but cannot be read leaves one line
// on standard error as well.
void LoadDictionary(const std::string& path);

// The text to display in place of `text`: CR LF is looked up as "||", and
// "||" in the result is shown as CR LF.
QString TranslateText(const QString& text);

// Whether a dictionary file was opened by the last LoadDictionary.
bool DictionaryLoaded();

// The loaded dictionary, or null.
const Dictionary* LoadedDictionary();

// Copies of the loaded entries' texts in file order (empty without one).
QStringList SourceTexts();
QStringList TargetTexts();

} // namespace translation
