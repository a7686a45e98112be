// The temporary files the program holds now, kept where an interrupt handler can reach them without allocating.
#pragma once

#include <filesystem>

namespace brcc::TemporaryFiles {

void Add(const std::filesystem::path& path);
void Remove(const std::filesystem::path& path);
// Ctrl-C, SIGTERM, SIGHUP, and on Windows a closed console: the files listed are deleted, then the program ends as
// it would have.
void InstallHandlers();

}  // namespace brcc::TemporaryFiles
