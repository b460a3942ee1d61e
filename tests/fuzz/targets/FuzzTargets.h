#pragma once
// The functions the fuzzers and the corpus replay run: each takes one input as bytes, drives
// one part of the viewer with it the way a hostile document would, and checks what must hold
// for every input. A broken rule ends the process (see FuzzCheck.h); a crash, a leak or an
// uncaught exception is a finding too.

#include <span>
#include <string_view>

namespace ledgra::fuzz {

struct FuzzTarget {
    std::string_view name;  // the fuzzer program is fuzz_<name>, its seeds corpus/<name>/
    void (*run)(std::string_view input);
};

// Every target, in a fixed order.
std::span<const FuzzTarget> FuzzTargets();
// The target of that name, or null.
const FuzzTarget* FindFuzzTarget(std::string_view name);

// The targets themselves, one per part.
void FuzzRun(std::string_view input);              // the whole run, file to page
void FuzzContainer(std::string_view input);        // UnwrapSignedFile with the OpenSSL module
void FuzzSignedMessage(std::string_view input);    // Base64 of a DER message, then the module
void FuzzXmlLoad(std::string_view input);          // loading and querying an XML document
void FuzzXmlSignature(std::string_view input);     // the XML signature check
void FuzzStandardInvoice(std::string_view input);  // the standard-schema invoice renderer
void FuzzLegacyInvoice(std::string_view input);    // the legacy-schema invoice renderer
void FuzzKeyValueInvoice(std::string_view input);  // the key-value reader and renderer
void FuzzContract(std::string_view input);         // the contract renderer and its attachments
void FuzzContentPage(std::string_view input);      // the content page renderer
void FuzzCp949(std::string_view input);            // the code page 949 codec, both ways
void FuzzFormatters(std::string_view input);       // amounts, numbers, digit cells, Base64
void FuzzPageFill(std::string_view input);         // filling an invoice page from raw values
void FuzzFillPlan(std::string_view input);         // the one-pass fill against the sequential one

}  // namespace ledgra::fuzz
