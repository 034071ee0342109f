#include "level/Level.h"

#include "render/TextureManager.h"

Level& CurrentLevel()
{
    static Level level;
    return level;
}

void UnloadLevel()
{
    Level& level = CurrentLevel();
    level.background.clear();
    level.foreground.clear();
    level.path.clear();
    level.objects.clear();
    level.tilesets.clear();
    level.spawnPoints.clear();
    level.randomEventPoints.clear();
    level.portals.clear();
    level.width = 0;
    level.height = 0;
}

void UnloadTileset()
{
    Level& level = CurrentLevel();
    level.tilesetName.clear();
    level.Color.clear();
    level.tileTextures.clear();
    level.tiles.clear();
    level.tileIndex.clear();
}

std::vector<LevelArea> GetSpawnPoints()
{
    return CurrentLevel().spawnPoints;
}

std::vector<LevelArea> GetRandomEventPoints()
{
    return CurrentLevel().randomEventPoints;
}

std::pair<int, int> GetLevelSize()
{
    return {CurrentLevel().width, CurrentLevel().height};
}

std::string GetLevelName()
{
    return CurrentLevel().Name;
}

std::string GetLevelPath()
{
    return CurrentLevel().path;
}

Texture GetLevelBackground()
{
    return TextureManager::Load("./assets/img/" + CurrentLevel().Color + "/background.jpg");
}

Texture& GetTileImage(int gid, const std::string& layer)
{
    Level& level = CurrentLevel();
    if (level.tilesets.empty() || level.tileTextures.empty())
        return level.missingTexture;
    // A map with one tile set reads its foreground against that one too.
    const bool second = layer == "foreground" && level.tilesets.size() > 1;
    const long long id = static_cast<long long>(gid) - level.tilesets[second ? 1 : 0].firstgid;
    auto found = level.tileIndex.find(id);
    if (found == level.tileIndex.end() || found->second >= level.tileTextures.size())
        return level.missingTexture;
    return level.tileTextures[found->second];
}
