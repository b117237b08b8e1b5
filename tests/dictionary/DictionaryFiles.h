#pragma once

#include "translation/Dictionary.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace dictionarytest {

inline void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// Loads `path` and returns what went to standard error meanwhile.
inline std::string loadCapturingStderr(const std::filesystem::path& path)
{
    testing::internal::CaptureStderr();
    translation::LoadDictionary(path.string());
    return testing::internal::GetCapturedStderr();
}

inline long lineCount(const std::string& text)
{
    long count = 0;
    for (const char c : text) {
        count += c == '\n';
    }
    return count;
}

} // namespace dictionarytest
