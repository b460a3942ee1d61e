#include "verify/SignedContainer.h"

#include <optional>

#include "base/Captions.h"
#include "base/FileAccess.h"
#include "text/Cp949.h"
#include "verify/UnreadableFile.h"

namespace ledgra {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFormCodePosition = 4;
constexpr std::string_view kAttachmentTag = "<file";
// Attachments are searched from here on, past the container's own header.
constexpr std::size_t kAttachmentSearchStart = 5;
// At most this many rejection boxes for the attachments of one document.
constexpr int kMaxAttachmentRejections = 3;

// Files larger than this are not documents.
constexpr std::size_t kMaxDocumentFileBytes = std::size_t{256} << 20;

void RejectFile(UserInterface& ui, const std::string& text = "규정된 파일이 아닙니다."_cp949) {
    ui.ShowMessage(text, ErrorCaption(), MessageIcon::Exclamation);
}

// A header's character at position 2 is its length, "7" or "9"; any other character (or a
// header too short to have one) makes it invalid.
std::optional<std::size_t> HeaderLength(std::string_view header) {
    if (header.size() <= 2) return std::nullopt;
    switch (header[2]) {
        case '7':
            return 7;
        case '9':
            return 9;
        default:
            return std::nullopt;
    }
}

// The signed text that follows a valid header; nothing when the header is invalid or the text
// ends before the header does.
std::optional<std::string> SignedTextAfterHeader(std::string_view text) {
    const std::optional<std::size_t> length = HeaderLength(text);
    if (!length || *length > text.size()) return std::nullopt;
    return std::string(text.substr(*length));
}

// The wrapped form's payload: the text after the first `data="` up to the next double quote.
// Without either the container is malformed.
std::optional<std::string_view> WrappedPayload(std::string_view text) {
    constexpr std::string_view kDataOpening = "data=\"";
    const std::size_t opening = text.find(kDataOpening);
    if (opening == std::string_view::npos) return std::nullopt;
    const std::size_t begin = opening + kDataOpening.size();
    const std::size_t end = text.find('"', begin);
    if (end == std::string_view::npos) return std::nullopt;
    return text.substr(begin, end - begin);
}

// The next occurrence of a needle at or after a position, for positions that only grow: each
// search starts past the last occurrence found, so all of them together read the text once.
class ForwardFinder {
public:
    ForwardFinder(std::string_view text, std::string_view needle)
        : m_text(text), m_needle(needle) {}

    std::size_t Next(std::size_t from) {
        if (!m_searched || (m_found != std::string_view::npos && from > m_found)) {
            m_found = m_text.find(m_needle, from);
            m_searched = true;
        }
        return m_found;
    }

private:
    std::string_view m_text;
    std::string_view m_needle;
    bool m_searched = false;
    std::size_t m_found = std::string_view::npos;
};

// The first characters (enough for its header) of the value AttributeValue(text, "data=", at)
// gives, for attachment tags at growing positions, without copying attachment data.
class DataHeaderFinder {
public:
    explicit DataHeaderFinder(std::string_view text)
        : m_text(text), m_keys(text, "data="), m_quotes(text, "\""), m_closingQuotes(text, "\"") {}

    std::string_view HeaderFrom(std::size_t at) {
        const std::size_t key = m_keys.Next(at);
        if (key == std::string_view::npos) return {};
        const std::size_t opening = m_quotes.Next(key);
        if (opening == std::string_view::npos) return {};
        std::string_view header = m_text.substr(opening + 1, kHeaderProbe);
        const std::size_t closing = header.find('"');
        // Without a closing quote AttributeValue gives nothing.
        if (closing == std::string_view::npos &&
            m_closingQuotes.Next(opening + 1 + header.size()) == std::string_view::npos) {
            return {};
        }
        return header.substr(0, closing);
    }

private:
    // HeaderLength looks at position 2.
    static constexpr std::size_t kHeaderProbe = 3;
    std::string_view m_text;
    ForwardFinder m_keys;
    ForwardFinder m_quotes;
    ForwardFinder m_closingQuotes;
};

// Attached files are only checked: an attachment whose data header is invalid is reported, and
// the document itself is still verified. A document with many bad attachments is told a few
// times, not once per attachment.
void CheckAttachments(std::string_view text, UserInterface& ui) {
    DataHeaderFinder data(text);
    int rejections = 0;
    for (std::size_t at = text.find(kAttachmentTag, kAttachmentSearchStart);
         at != std::string_view::npos && at > 0 && rejections < kMaxAttachmentRejections;
         at = text.find(kAttachmentTag, at + kAttachmentTag.size())) {
        if (!HeaderLength(data.HeaderFrom(at))) {
            RejectFile(ui);
            ++rejections;
        }
    }
}

bool UnwrapSignedMessage(const std::string& signedText, std::string& content, UnwrapMode mode,
                         const VerifySignedDataFunction& verifySignedData) {
    if (mode == UnwrapMode::Verify) return verifySignedData(signedText, content, true);
    bool ok = verifySignedData(signedText, content, false);
    // One more level when the content is a signed message itself. Only the content of a
    // verified message is unwrapped again: a failed outer message must stay failed whatever
    // its content would verify as.
    if (ok && content.starts_with('M')) {
        const std::string innerMessage = content;
        ok = verifySignedData(innerMessage, content, false);
    }
    return ok;
}

bool UnwrapSemicolonContainer(std::string_view text, std::string& content, UserInterface& ui,
                              const VerifySignedDataFunction& verifySignedData) {
    if (text.size() <= kFormCodePosition) {
        RejectFile(ui);
        return false;
    }
    std::optional<std::string> signedText;
    switch (text[kFormCodePosition]) {
        case '0':
            if (const std::optional<std::string_view> payload = WrappedPayload(text)) {
                signedText = SignedTextAfterHeader(*payload);
            }
            if (signedText) CheckAttachments(text, ui);
            break;
        case '2':
        case '6':
            signedText = SignedTextAfterHeader(text);
            break;
        default:
            break;
    }
    if (!signedText) {
        RejectFile(ui);
        return false;
    }
    return verifySignedData(*signedText, content, false);
}

}  // namespace

std::optional<std::string> ReadDocumentFile(const std::filesystem::path& path, UserInterface& ui,
                                            std::string* rejection) {
    std::optional<std::string> bytes = ReadRegularFile(path, kMaxDocumentFileBytes);
    if (bytes) return bytes;
    if (const std::optional<std::string> why = WhyUnreadable(path, kMaxDocumentFileBytes)) {
        const std::string text = "파일을 읽을 수 없습니다: "_cp949 + *why;
        if (rejection) *rejection = text;
        RejectFile(ui, text);
        return std::nullopt;
    }
    return std::string();
}

bool UnwrapDocumentBytes(std::string_view bytes, std::string& content, UnwrapMode mode,
                         UserInterface& ui, const VerifySignedDataFunction& verifySignedData,
                         const VerifyXmlDocumentFunction& verifyXmlDocument,
                         std::string* rejection) {
    // A UTF-8 byte-order mark is not part of the form: real standard-schema invoices begin with
    // one before their "<". A plain XML document keeps its bytes; the signed forms are read
    // after the mark.
    // The document is text: it ends at its first NUL byte.
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string_view text = bytes;
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());

    switch (text.empty() ? '\0' : text.front()) {
        case '<':
            // The document as the file holds it, byte-order mark included.
            content = bytes;
            return !verifyXmlDocument || verifyXmlDocument(content);
        case 'M':
            return UnwrapSignedMessage(std::string(text), content, mode, verifySignedData);
        case ';':
            return UnwrapSemicolonContainer(text, content, ui, verifySignedData);
        default:
            if (rejection) *rejection = "규정된 파일이 아닙니다."_cp949;
            RejectFile(ui);
            return false;
    }
}

bool UnwrapSignedFile(const std::filesystem::path& path, std::string& content, UnwrapMode mode,
                      UserInterface& ui, const VerifySignedDataFunction& verifySignedData,
                      const VerifyXmlDocumentFunction& verifyXmlDocument, std::string* rejection) {
    const std::optional<std::string> bytes = ReadDocumentFile(path, ui, rejection);
    if (!bytes) return false;
    return UnwrapDocumentBytes(*bytes, content, mode, ui, verifySignedData, verifyXmlDocument,
                               rejection);
}

}  // namespace ledgra
