#pragma once

#include "core/GameState.h"

#include <string>

namespace fb {

// The particle editor ("ParticleState"): sliders tune one effect while it
// plays, "PLAY" rebuilds it, and it is loaded from and exported to files
// under "assets/json/particles/". The settings last for the whole run;
// entering loads the session file from the particles folder, leaving saves
// "latestParticleSession.json" in the working directory. A file that cannot
// be read or written is traced, shown in the window and changes nothing.
// Exports go only to a plain file name ending in ".json", and "PLAY" keeps
// the settings within the ranges the game reads particle files with.
class ParticleState : public GS {
public:
    void Init() override;
    void Update() override;
    void Exit() override;
    void Load() override;
    void Unload() override;

    // Writes the settings to path, whole or not at all. Throws
    // std::runtime_error "Could not load file: " + path, then why, when it
    // cannot be written; the file is then left as it was.
    static void SaveFile(const std::string& path);
    // Reads path into the settings and puts its effect on screen in place of
    // the current one. Throws std::runtime_error, naming the file and what is
    // wrong, when the file is missing, does not parse, has no object at its
    // root or makes no effect; the settings and the effect stay as they were.
    static void LoadFile(const std::string& path);
};

} // namespace fb
