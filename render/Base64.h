#pragma once
// The lenient Base64 of seal images, contract bodies and attachments.

#include <cstddef>
#include <string>
#include <string_view>

namespace ledgra {

// Decodes Base64, skipping every character that is not a Base64 symbol ("=" and line breaks
// included); the input ends at `dataLength` or at a NUL. `length` holds the capacity on entry
// and the decoded length on return. With a null `output` only the length is computed and the
// capacity does not matter. Returns false when data or length is missing, or when the decoded
// bytes pass the capacity: then the buffer holds the bytes that fit and `length` the full
// decoded length.
bool DecodeBase64(const char* data, std::size_t dataLength, unsigned char* output,
                  std::size_t* length);
// The usual caller's form: a buffer as long as the text, cut to the decoded length on success,
// empty on failure. The result may hold NUL bytes.
std::string DecodeBase64Text(std::string_view text);

}  // namespace ledgra
