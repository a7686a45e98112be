// The files an output was made from, for make and Ninja (a rule and an empty rule per file) or as JSON.
#pragma once

#include <string>
#include <vector>

namespace brcc {

// `targets` depend on `files` (the script first, then headers and the files the script names, each once; the
// script's name is empty when it came from the standard input, and empty names are left out).
// Every file but the script also gets a rule of its own with nothing to do, so that make and Ninja carry on when
// one is deleted.
std::string MakeDependencyText(const std::vector<std::string>& targets, const std::vector<std::string>& files);
// {"targets": [...], "dependencies": [...]} with JSON's escapes; names are UTF-8.
std::string JsonDependencyText(const std::vector<std::string>& targets, const std::vector<std::string>& files);

}  // namespace brcc
