#pragma once
// A document's file name as text for the user: names on disk are UTF-8, or code page 949 from
// older systems.

#include <QString>

#include <filesystem>

namespace ledgra {

QString ShownFileName(const std::filesystem::path& file);

}  // namespace ledgra
