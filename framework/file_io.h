// Whole-file reading and writing, with the framework's messages for their failures.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace framework {

// Reads every byte; others may read the file meanwhile but not write it. Raises
// "Impossible d'ouvrir le fichier ..." when it cannot be opened or read.
std::string ReadWholeFile(const std::wstring& path);

using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

// Replaces the file's content with `data`, or leaves the old file as it was: the bytes
// go to a new file in the same folder, flushed, which then takes the target's place
// with the target's attributes (and, where the system carries them, its permissions).
// Raises "Impossible de créer le fichier ..." when the file cannot be created or
// replaced, and "Erreur d'écriture dans le flux" when fewer bytes could be written.
// `write` is the system's WriteFile; tests pass one that fails.
void ReplaceWholeFile(const std::wstring& path, std::string_view data, WriteFileFunction write = ::WriteFile);

// True when `path` names a file that holds at least one byte.
bool FileHoldsBytes(const std::wstring& path);

// "Impossible de créer le fichier ..." with a reason of the caller's, for a refusal of its own.
std::wstring CannotCreateMessage(const std::wstring& path, std::wstring_view reason);

// Makes `folder` the process's current directory until destroyed, unless kept: a command
// moves it before its work and keeps it only once all of that work has succeeded. Raises
// `failureMessage` followed by the system's reason when the folder cannot be made current.
class CurrentFolderChange {
public:
    CurrentFolderChange(const std::wstring& folder, const std::wstring& failureMessage);
    ~CurrentFolderChange();
    CurrentFolderChange(const CurrentFolderChange&) = delete;
    CurrentFolderChange& operator=(const CurrentFolderChange&) = delete;
    void Keep() { m_kept = true; }

private:
    std::wstring m_former;
    bool m_kept = false;
};

}  // namespace framework
