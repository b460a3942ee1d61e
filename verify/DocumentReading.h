#pragma once
// One document verified as the show run verifies it, without a page: the file is read once,
// its container unwrapped and its signature checked, and what the user would have been told
// is kept instead of shown. Nothing is written. Lists of documents (the ledger, batch checks)
// read thousands this way.

#include <filesystem>
#include <string>

#include "render/XmlDocument.h"
#include "verify/SignatureVerdict.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra {

struct DocumentReading {
    // The verdict and the signers, as the run finds them.
    SignatureReport signature;
    // The verified content; for an intact XML signature only the signed nodes, which is all
    // a page may show. Empty when the verification failed.
    std::string content;
    // The tree of `content` when the check kept the one it parsed (a plain XML document
    // without a signature).
    ParsedXml contentTree;
    // Why the document failed: the messages the run would have shown, joined (code page 949).
    std::string failure;
};

// Verifies the document at `path` in the show form; each call takes its own module objects
// from `verifierFactory`, so calls on several threads do not share any.
DocumentReading ReadDocument(const std::filesystem::path& path,
                             const SignedDataVerifierFactory& verifierFactory);

}  // namespace ledgra
