#pragma once

#include <string>

namespace translation {

bool LoadDictionary(const std::string& path);

} // namespace translation
