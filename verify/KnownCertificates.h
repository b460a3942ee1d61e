#pragma once
// Certificates decoded once per process. The signed messages of a batch carry the same few
// signer and authority certificates, and decoding a certificate (its public key above all)
// costs about as much as the rest of a message's check; a certificate whose bytes were decoded
// before is taken as it was decoded then.

#include <string_view>

#include "verify/OpenSslHandles.h"

namespace ledgra {

// The ContentInfo `der`, which fills the bytes exactly, decoded with its certificates in their
// order, each one that was decoded before (the very same bytes) taken from then. Nothing when
// the message is not in the plain form this applies to (definite lengths, a SignedData with a
// few certificates and nothing but certificates in their field, no certificate twice) or does
// not decode: the caller decodes it as it is, with OpenSSL's verdict on it.
CmsHandle DecodeWithKnownCertificates(std::string_view der);

}  // namespace ledgra
