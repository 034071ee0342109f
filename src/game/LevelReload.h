#pragma once

#include <string>
#include <vector>

// The rules for going from one match to the next without leaving the match
// state.

// The AI spawner file that every match reads.
inline constexpr const char* kAISpawnerFile = "./assets/json/aitest.json";

// The map after `current` in the list, the first after the last one, or the
// first when `current` is not in the list; "" for an empty list. Paths are
// compared after normalisation ("./a/b.json" is "a/b.json").
std::string NextMapPath(const std::vector<std::string>& maps, const std::string& current);

// Whether a match can start on the map: the map file reads as a map and the
// AI spawner file reads. Otherwise `error` says which file and why.
bool CanStartMatchOn(const std::string& mapPath, std::string& error);
