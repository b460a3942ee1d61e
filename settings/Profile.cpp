#include "settings/Profile.h"

#include <charconv>

namespace ledgra {

std::string MemoryProfile::GetProfileString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue) const {
    auto found = m_values.find({std::string(section), std::string(key)});
    return found == m_values.end() ? std::string(defaultValue) : found->second;
}

int MemoryProfile::GetProfileInt(std::string_view section, std::string_view key,
                                 int defaultValue) const {
    auto found = m_values.find({std::string(section), std::string(key)});
    if (found == m_values.end()) return defaultValue;
    int value = 0;
    const std::string& text = found->second;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : defaultValue;
}

void MemoryProfile::WriteProfileString(std::string_view section, std::string_view key,
                                       std::string_view value) {
    m_values[{std::string(section), std::string(key)}] = std::string(value);
}

void MemoryProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    WriteProfileString(section, key, std::to_string(value));
}

}  // namespace ledgra
