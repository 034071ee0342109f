#pragma once

#include <memory>
#include <rapidjson/document.h>
#include <string>

// Data files that are read while playing (particle effects, archetypes) are
// parsed once and kept for the rest of the run, so that spawning reads no
// file. A tool that writes one of these files calls Forget with its path;
// the next spawn then reads the new file.
namespace KeptFiles {

// What reading a file gave: its document, or why there is none.
struct KeptFile {
    std::shared_ptr<const rapidjson::Document> document;
    std::string failure;
};

// The kept outcome for the path, or null when none is kept. "./a/b.json"
// and "a/b.json" are the same file.
const KeptFile* Find(const std::string& path);
void Keep(const std::string& path, KeptFile file);
// Drops what is kept for the file, so that its next use reads it again.
void Forget(const std::string& path);
void ForgetAll();

} // namespace KeptFiles
