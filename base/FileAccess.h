#pragma once
// Reading and writing files whose names come from documents, folders or settings, none of
// which can be trusted to name what they seem to: a FIFO, a device or a planted link at the
// name must not stall the program, grow it without bound, or redirect a write.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ledgra {

// The exact bytes of a regular file of at most `maxBytes` bytes. The file is opened first
// (without blocking, so a FIFO cannot stall) and then checked through its descriptor, so
// nothing swapped in between a check and the open is read. Nothing when the file cannot be
// opened or read, is not a regular file (a folder, FIFO or device), or holds more than
// `maxBytes` bytes, even when it grows while it is read.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file at `path` with exactly these bytes, as a file of our own. The bytes go to
// a new file created exclusively in the same folder, which then takes the name: a symbolic or
// hard link planted at the name is replaced, never followed or written through, and a failed
// write leaves the previous file whole and no temporary behind. False when the file could not
// be written (a missing folder, a folder at the name, a full disk); errno then tells why.
bool WriteOwnFile(const std::filesystem::path& path, std::string_view bytes);

// The whole file as text up to its first NUL byte. Empty when it cannot be opened, is not a
// regular file, or holds more than `maxBytes` bytes (documents larger than that are not
// documents).
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::size_t maxBytes = std::size_t{256} << 20);

// Whether the file can be opened for reading and is a regular file, checked through its
// descriptor as ReadRegularFile does (a FIFO swapped in after a check cannot stall the caller).
bool IsReadableRegularFile(const std::filesystem::path& path);

}  // namespace ledgra
