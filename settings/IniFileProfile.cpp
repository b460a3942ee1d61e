#include "settings/IniFileProfile.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "base/FileAccess.h"
#include "base/ProgramNames.h"
#include "base/UserFolders.h"
#include "text/ByteString.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using Value = IniFileProfile::Value;

// A settings file is a few hundred bytes; one beyond this is not the window's.
constexpr std::size_t kMaxSettingsBytes = std::size_t{16} << 20;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One logical line from `pos`: blank lines and lines starting with ';' are skipped, a
// backslash continues a line, quotes hold line breaks and ';'. `equals` is the first '='
// outside quotes. Empty at the end of the text.
std::string_view NextLine(std::string_view data, std::size_t& pos, std::size_t& equals) {
    equals = std::string_view::npos;
    std::size_t start = pos;
    while (start < data.size() && IsSpace(data[start])) ++start;
    bool inQuotes = false;
    std::size_t i = start;
    while (i < data.size()) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equals == std::string_view::npos) equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < data.size()) {
                const char next = data[i++];
                if (i < data.size() &&
                    ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n'))) {
                    ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < data.size() && data[i] != '\n' && data[i] != '\r') ++i;
                while (i < data.size() && IsSpace(data[i])) ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    return data.substr(start, i - start);
}

// A key or section name: '\' stands for '/', and %XX and %UXXXX for a character.
std::string UnescapedKey(std::string_view key) {
    std::string result;
    for (std::size_t i = 0; i < key.size();) {
        const char c = key[i];
        if (c == '\\') {
            result += '/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 == key.size()) {
            result += c;
            ++i;
            continue;
        }
        const std::size_t first = key[i + 1] == 'U' ? i + 2 : i + 1;
        const std::size_t digits = key[i + 1] == 'U' ? 4 : 2;
        char32_t code = 0;
        bool hex = first + digits <= key.size();
        for (std::size_t d = 0; hex && d < digits; ++d) {
            const int digit = HexDigit(key[first + d]);
            hex = digit >= 0;
            code = code * 16 + static_cast<char32_t>(digit);
        }
        if (!hex) {
            result += '%';
            ++i;
            continue;
        }
        AppendUtf8(result, code);
        i = first + digits;
    }
    return result;
}

void ChopTrailingBlanks(std::string& text, std::size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

// A value's text: quotes, C escapes (\n, \x41, \101) and line continuations undone. Unquoted
// commas make it a list, told by `isList`.
std::string UnescapedValue(std::string_view value, bool& isList) {
    static constexpr std::pair<char, char> kEscapes[] = {
        {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
        {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    isList = false;
    std::string result;
    bool inQuotes = false;
    bool quoted = false;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
    };
    skipBlanks();
    std::size_t chopLimit = 0;
    while (i < value.size()) {
        const char c = value[i];
        if (c == '\\') {
            if (++i >= value.size()) return result;
            const char escaped = value[i++];
            bool simple = false;
            for (const auto& [letter, meaning] : kEscapes) {
                if (escaped == letter) {
                    result += meaning;
                    simple = true;
                    break;
                }
            }
            if (!simple && (escaped == 'x' || (escaped >= '0' && escaped <= '7'))) {
                const int base = escaped == 'x' ? 16 : 8;
                if (base == 16 && (i >= value.size() || HexDigit(value[i]) < 0)) {
                    if (i >= value.size()) return result;
                    chopLimit = result.size();
                    continue;
                }
                std::uint16_t code = base == 8 ? static_cast<std::uint16_t>(escaped - '0') : 0;
                for (; i < value.size(); ++i) {
                    const int digit = HexDigit(value[i]);
                    if (digit < 0 || digit >= base) break;
                    code = static_cast<std::uint16_t>(code * base + digit);
                }
                AppendUtf8(result, code);
            } else if (!simple && (escaped == '\n' || escaped == '\r')) {
                if (i < value.size() && (value[i] == '\n' || value[i] == '\r') &&
                    value[i] != escaped) {
                    ++i;
                }
            }
            chopLimit = result.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = result.size();
            }
        } else if (c == ',' && !inQuotes) {
            // The list's items are not needed, only that it is one.
            isList = true;
            result.clear();
            quoted = false;
            ++i;
            skipBlanks();
            chopLimit = 0;
        } else {
            std::size_t end = i + 1;
            while (end < value.size() && value[end] != '\\' && value[end] != '"' &&
                   value[end] != ',') {
                ++end;
            }
            result.append(value.substr(i, end - i));
            i = end;
        }
    }
    if (!quoted) ChopTrailingBlanks(result, chopLimit);
    return result;
}

// Latin-1 bytes of a text's characters, '?' for those beyond (a byte array stored as text).
std::string Latin1Bytes(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (length == 1) {
            bytes += static_cast<char>(lead);
        } else if (const unsigned code = length == 2 && i + 1 < utf8.size()
                                             ? ((lead & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu)
                                             : 0x100u;
                   code <= 0xFF) {
            bytes += static_cast<char>(code);
        } else {
            bytes += '?';
        }
        i += length;
    }
    return bytes;
}

// What a stored text stands for: "@@..." is a text starting with '@', "@ByteArray(...)" and
// "@String(...)" hold a text, "@Invalid()" no value, other "@Type(...)" a value of that type.
Value StoredValue(std::string text) {
    if (!text.starts_with('@')) return {Value::Kind::Text, std::move(text)};
    if (text.ends_with(')')) {
        auto inner = [&](std::size_t prefix) {
            return text.substr(prefix, text.size() - prefix - 1);
        };
        if (text.starts_with("@ByteArray(")) return {Value::Kind::Text, Latin1Bytes(inner(11))};
        if (text.starts_with("@String(")) return {Value::Kind::Text, inner(8)};
        if (text == "@Invalid()") return {Value::Kind::Invalid, {}};
        for (std::string_view type : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
            if (text.starts_with(type)) return {Value::Kind::NotText, {}};
        }
    }
    if (text.starts_with("@@")) text.erase(0, 1);
    return {Value::Kind::Text, std::move(text)};
}

// A section's prefix of its keys: none for the general section.
std::string SectionPrefix(std::string_view header) {
    const std::size_t close = header.find(']');
    std::string_view name = TrimmedView(
        close == std::string_view::npos ? header.substr(1) : header.substr(1, close - 1));
    const std::string upper = ToUpperAscii(name);
    if (upper == "GENERAL") return {};
    if (upper == "%GENERAL") return std::string(name.substr(1)) + "/";
    return UnescapedKey(name) + "/";
}

// Each section's lines in the order of the file, the lines of a repeated section joined.
std::map<std::string, std::string> Sections(std::string_view data) {
    std::map<std::string, std::string> sections;
    std::string current;
    std::size_t sectionStart = 0;
    auto flush = [&](std::size_t end) {
        std::string& lines = sections[current];
        if (!lines.empty()) lines += '\n';
        lines.append(data.substr(sectionStart, end - sectionStart));
    };
    std::size_t pos = 0;
    std::size_t equals = 0;
    for (std::string_view line; !(line = NextLine(data, pos, equals)).empty();) {
        if (!line.starts_with('[')) continue;
        flush(static_cast<std::size_t>(line.data() - data.data()));
        current = SectionPrefix(line);
        sectionStart = pos;
    }
    flush(data.size());
    return sections;
}

std::optional<int> IntegerOf(std::string_view text) {
    text = TrimmedView(text);
    if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9')
        text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    // As QVariant converts a text to an int: the 64-bit number cut to 32 bits.
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

std::string KeyPath(std::string_view section, std::string_view key) {
    return Utf8FromCp949(section) + "/" + Utf8FromCp949(key);
}

}  // namespace

std::filesystem::path SettingsFileIn(const std::filesystem::path& configFolder) {
    return configFolder / kProfileOrganisation / (std::string(kProfileApplication) + ".conf");
}

std::filesystem::path UserSettingsFile() {
    return SettingsFileIn(ConfigLocation());
}

IniFileProfile::IniFileProfile(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = ReadRegularFile(file, kMaxSettingsBytes);
    if (!bytes) return;
    std::string_view data = *bytes;
    if (data.starts_with("\xEF\xBB\xBF")) data.remove_prefix(3);
    for (const auto& [prefix, lines] : Sections(data)) {
        std::size_t pos = 0;
        std::size_t equals = 0;
        for (std::string_view line; !(line = NextLine(lines, pos, equals)).empty();) {
            if (equals == std::string_view::npos) continue;
            const std::size_t offset = static_cast<std::size_t>(line.data() - lines.data());
            const std::string_view key = TrimmedView(line.substr(0, equals - offset));
            bool isList = false;
            std::string text = UnescapedValue(line.substr(equals - offset + 1), isList);
            m_values[prefix + UnescapedKey(key)] =
                isList ? Value{Value::Kind::NotText, {}} : StoredValue(std::move(text));
        }
    }
}

const IniFileProfile::Value* IniFileProfile::Find(std::string_view section,
                                                  std::string_view key) const {
    const auto found = m_values.find(KeyPath(section, key));
    return found == m_values.end() || found->second.kind == Value::Kind::Invalid ? nullptr
                                                                                 : &found->second;
}

std::string IniFileProfile::GetProfileString(std::string_view section, std::string_view key,
                                             std::string_view defaultValue) const {
    const Value* value = Find(section, key);
    if (!value) return std::string(defaultValue);
    return Cp949FromUtf8(value->text);
}

int IniFileProfile::GetProfileInt(std::string_view section, std::string_view key,
                                  int defaultValue) const {
    const Value* value = Find(section, key);
    if (!value || value->kind != Value::Kind::Text) return defaultValue;
    return IntegerOf(value->text).value_or(defaultValue);
}

void IniFileProfile::WriteProfileString(std::string_view section, std::string_view key,
                                        std::string_view value) {
    m_values[KeyPath(section, key)] = {Value::Kind::Text, Utf8FromCp949(value)};
}

void IniFileProfile::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    m_values[KeyPath(section, key)] = {Value::Kind::Text, std::to_string(value)};
}

}  // namespace ledgra
