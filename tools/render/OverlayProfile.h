#pragma once
// A profile that answers some keys itself and passes every other read to the user's profile.
// Writes stay in the overlay: the command line never changes the user's settings.

#include <map>
#include <string>
#include <utility>

#include "settings/Profile.h"

namespace ledgra {

class OverlayProfile final : public Profile {
public:
    explicit OverlayProfile(const Profile& base) : m_base(base) {}

    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue = {}) const override;
    int GetProfileInt(std::string_view section, std::string_view key,
                      int defaultValue) const override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;

private:
    using Key = std::pair<std::string, std::string>;
    const Profile& m_base;
    std::map<Key, std::string> m_strings;
    std::map<Key, int> m_integers;
};

}  // namespace ledgra
