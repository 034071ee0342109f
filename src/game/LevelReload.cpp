#include "game/LevelReload.h"

#include "core/JsonFile.h"
#include "ui/LevelSelector.h"

#include <filesystem>

namespace {

bool SamePath(const std::string& a, const std::string& b)
{
    return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

} // namespace

std::string NextMapPath(const std::vector<std::string>& maps, const std::string& current)
{
    if (maps.empty())
        return "";
    for (std::size_t i = 0; i < maps.size(); ++i) {
        if (SamePath(maps[i], current))
            return maps[(i + 1) % maps.size()];
    }
    return maps.front();
}

bool CanStartMatchOn(const std::string& mapPath, std::string& error)
{
    if (mapPath.empty()) {
        error = "No map to load";
        return false;
    }
    if (!LevelSelector::IsMapFile(mapPath)) {
        error = mapPath + ": not a readable map";
        return false;
    }
    rapidjson::Document spawner;
    return fb::ReadJsonFile(kAISpawnerFile, spawner, error) == fb::JsonFileStatus::Read;
}
