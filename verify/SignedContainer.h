#pragma once
// Document containers: reading a document file, recognising its form by its first character
// and cutting out the signed text that goes to the verification module.
//
// Forms: "<" a plain XML document (accepted as it is), "M" a bare signed message (the whole
// text is the signed text), ";" the semicolon container in its bare form (form code "2" or "6"
// at position 4) or its wrapped form (form code "0": the signed text sits in a data="..."
// attribute, possibly followed by attached files). Anything else is not a document.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/UserInterface.h"
#include "text/AttributeValue.h"

namespace ledgra {

// Verify: the run started by the verify command, which lists the signers of a bare signed
// message. Show: every other run, which also unwraps a signed message inside a signed message.
enum class UnwrapMode { Verify, Show };

// The run's check of one signed text (VerifySignedData): true on success with the verified
// content in `content`; it shows its own messages.
using VerifySignedDataFunction =
    std::function<bool(const std::string& signedText, std::string& content, bool listSigners)>;

// The run's check of a plain XML document's own signature: true when the document may be
// shown; it shows its own messages.
using VerifyXmlDocumentFunction = std::function<bool(std::string_view documentBytes)>;

// Reads a document file, bounded. Nothing when it cannot be read at all, after the box
// "파일을 읽을 수 없습니다: <reason>" (its text also in `rejection` when given); an empty file
// is read as empty.
std::optional<std::string> ReadDocumentFile(const std::filesystem::path& path, UserInterface& ui,
                                            std::string* rejection = nullptr);

// UnwrapSignedFile on the bytes of a file already read: a run that looks at the file more than
// once reads it once.
bool UnwrapDocumentBytes(std::string_view bytes, std::string& content, UnwrapMode mode,
                         UserInterface& ui, const VerifySignedDataFunction& verifySignedData,
                         const VerifyXmlDocumentFunction& verifyXmlDocument = {},
                         std::string* rejection = nullptr);

// Reads the document file, recognises its form and verifies its signed text. Returns true when
// the document is accepted and verified; `content` then holds the document content (the
// verified content of a signed form, the whole text of a plain XML document). A plain XML
// document goes through `verifyXmlDocument` when one is given. A file that is not a document
// is rejected with a message box; a file that cannot be read at all says so
// ("파일을 읽을 수 없습니다: <reason>"). `rejection`, when given, receives the text of such a
// box.
bool UnwrapSignedFile(const std::filesystem::path& path, std::string& content, UnwrapMode mode,
                      UserInterface& ui, const VerifySignedDataFunction& verifySignedData,
                      const VerifyXmlDocumentFunction& verifyXmlDocument = {},
                      std::string* rejection = nullptr);

}  // namespace ledgra
