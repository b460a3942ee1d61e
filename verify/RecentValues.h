#pragma once
// A few values kept by the bytes they were made from, for what a process meets again and again
// (the signers and authorities of a batch): at most `maxValues`, the oldest replaced first, and
// none for a key longer than `maxKeyBytes` (a hostile giant is made each time, not kept). May
// be used from several threads at once.

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace ledgra {

template <typename Value>
class RecentValues {
public:
    RecentValues(std::size_t maxValues, std::size_t maxKeyBytes)
        : m_maxValues(maxValues), m_maxKeyBytes(maxKeyBytes) {}

    // `share` of the value kept for `key`; nothing when none is.
    template <typename Share>
    std::optional<std::invoke_result_t<const Share&, const Value&>> Find(std::string_view key,
                                                                         const Share& share) {
        const std::lock_guard lock(m_mutex);
        for (const auto& [bytes, value] : m_values) {
            if (bytes == key) return share(value);
        }
        return std::nullopt;
    }

    void Keep(std::string_view key, Value value) {
        if (key.size() > m_maxKeyBytes) return;
        const std::lock_guard lock(m_mutex);
        if (m_values.size() < m_maxValues) {
            m_values.emplace_back(key, std::move(value));
            return;
        }
        m_values[m_nextReplaced] = {std::string(key), std::move(value)};
        m_nextReplaced = (m_nextReplaced + 1) % m_maxValues;
    }

private:
    const std::size_t m_maxValues;
    const std::size_t m_maxKeyBytes;
    std::mutex m_mutex;
    std::vector<std::pair<std::string, Value>> m_values;
    std::size_t m_nextReplaced = 0;
};

}  // namespace ledgra
