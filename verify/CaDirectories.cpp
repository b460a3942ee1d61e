#include "verify/CaDirectories.h"

#include <algorithm>

#include "verify/SignedDataVerifier.h"

namespace ledgra {
namespace {

bool IsWord(std::string_view text) {
    return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == ':' || c == '|';
    });
}

std::optional<int> Port(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

}  // namespace

std::string CaDirectoryList() {
    return "KISA:ldap.kisa.or.kr:389|"
           "KICA:ldap.signgate.com:389|"
           "SignKorea:dir.signkorea.com:389|"
           "Yessign:ds.yessign.or.kr:389|"
           "CrossCert:dir.crosscert.com:389|"
           "TradeSign:ldap.tradesign.net:389|"
           "NCASign:dir.nca.or.kr:389|";
}

std::optional<std::vector<CaDirectory>> ParseCaDirectoryList(std::string_view list) {
    if (list.empty() || !list.ends_with('|')) return std::nullopt;
    std::vector<CaDirectory> directories;
    while (!list.empty()) {
        std::size_t end = list.find('|');
        std::string_view entry = list.substr(0, end);
        list.remove_prefix(end + 1);

        std::size_t first = entry.find(':');
        std::size_t second = first == std::string_view::npos ? first : entry.find(':', first + 1);
        if (second == std::string_view::npos) return std::nullopt;
        std::string_view name = entry.substr(0, first);
        std::string_view host = entry.substr(first + 1, second - first - 1);
        std::optional<int> port = Port(entry.substr(second + 1));
        if (!IsWord(name) || !IsWord(host) || !port) return std::nullopt;
        directories.push_back({std::string(name), std::string(host), *port});
    }
    return directories;
}

}  // namespace ledgra
