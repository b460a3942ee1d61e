#pragma once
// The application's stored settings: a profile of sections holding string and integer keys.
// Strings are code page 949 text, as the rest of the viewer's text.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace ledgra {

class Profile {
public:
    virtual ~Profile() = default;
    virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue = {}) const = 0;
    virtual int GetProfileInt(std::string_view section, std::string_view key,
                              int defaultValue) const = 0;
    virtual void WriteProfileString(std::string_view section, std::string_view key,
                                    std::string_view value) = 0;
    virtual void WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;

    // Why the values written so far will not be there after a restart (code page 949);
    // nothing when they are stored. A profile kept in memory is never meant to outlive the
    // program.
    virtual std::optional<std::string> WriteFailure() const { return std::nullopt; }
};

// A profile kept in memory, for tests and the command line.
class MemoryProfile final : public Profile {
public:
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue = {}) const override;
    int GetProfileInt(std::string_view section, std::string_view key,
                      int defaultValue) const override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

}  // namespace ledgra
