#include "tools/render/OverlayProfile.h"

namespace ledgra {

std::string OverlayProfile::GetProfileString(std::string_view section, std::string_view key,
                                             std::string_view defaultValue) const {
    const auto found = m_strings.find(Key(section, key));
    if (found != m_strings.end()) return found->second;
    return m_base.GetProfileString(section, key, defaultValue);
}

int OverlayProfile::GetProfileInt(std::string_view section, std::string_view key,
                                  int defaultValue) const {
    const auto found = m_integers.find(Key(section, key));
    if (found != m_integers.end()) return found->second;
    return m_base.GetProfileInt(section, key, defaultValue);
}

void OverlayProfile::WriteProfileString(std::string_view section, std::string_view key,
                                        std::string_view value) {
    m_strings[Key(section, key)] = std::string(value);
}

void OverlayProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    m_integers[Key(section, key)] = value;
}

}  // namespace ledgra
