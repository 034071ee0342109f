#include "core/Trace.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "render/DrawingFixture.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class LevelTiles : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        UnloadLevel();
        UnloadTileset();
        fs::create_directories(scratch);
    }

    void TearDown() override
    {
        UnloadLevel();
        UnloadTileset();
        fs::remove_all(scratch);
        DrawingTest::TearDown();
    }

    // Gives the tile of that id a texture of one colour.
    static void Paint(int tileId, GLTestWindow::Pixel colour)
    {
        Level& level = CurrentLevel();
        for (std::size_t i = 0; i < level.tiles.size(); ++i) {
            if (level.tiles[i].id == tileId)
                level.tileTextures[i].id = MakeTestTexture(1, 1, {colour});
        }
    }

    // The colour channel that stands out at a pixel: 'r', 'g', 'b' or '-' for none.
    char Strongest(int x, int y) const
    {
        const GLTestWindow::Pixel pixel = At(x, y);
        if (pixel.r > 100 && pixel.g < 60 && pixel.b < 60)
            return 'r';
        if (pixel.g > 100 && pixel.r < 60 && pixel.b < 60)
            return 'g';
        if (pixel.b > 100 && pixel.r < 60 && pixel.g < 60)
            return 'b';
        return '-';
    }

    const fs::path scratch = fs::temp_directory_path() / ("vendrabolt-tiles-" + std::to_string(getpid()));
};

TEST_F(LevelTiles, BothLayersAreDrawnCellByCellWithTheForegroundOnTop)
{
    // Two by two tiles, just what the default camera shows. Background: gid 2
    // top left and bottom right; foreground: gid 6 top left, gid 3 bottom left.
    const std::string path = (scratch / "two.json").string();
    std::ofstream(path) << R"({"type": "map", "width": 2, "height": 2, "tilewidth": 64, "tileheight": 64,
        "properties": {"Color": "Green", "Name": "Tiles"},
        "tilesets": [{"firstgid": 1, "source": "tiles.json"}],
        "layers": [{"name": "Background", "width": 2, "height": 2, "data": [2, 0, 0, 2]},
                   {"name": "Foreground", "width": 2, "height": 2, "data": [6, 0, 3, 0]}]})";
    LoadLevel(path);
    Paint(1, {0, 0, 255, 255});
    Paint(5, {255, 0, 0, 255});
    Paint(2, {0, 255, 0, 255});

    Renderer::BeginFrame();
    DrawLevelTiles();
    Renderer::Present();

    const int left = kWidth / 4;
    const int right = 3 * kWidth / 4;
    const int top = 3 * kHeight / 4;
    const int bottom = kHeight / 4;
    EXPECT_EQ(Strongest(left, top), 'r') << At(left, top);
    EXPECT_EQ(Strongest(right, top), '-') << At(right, top);
    EXPECT_EQ(Strongest(left, bottom), 'g') << At(left, bottom);
    EXPECT_EQ(Strongest(right, bottom), 'b') << At(right, bottom);
}

TEST_F(LevelTiles, TheForegroundReadsItsIdsAgainstTheFirstTileSetWithItsFlipFlagsCleared)
{
    // Gid 2 with the editor's horizontal-flip bit is tile 1 of the first tile
    // set; gid 102 would be tile 1 of the second, but only the first counts.
    const std::string path = (scratch / "second.json").string();
    std::ofstream(path) << R"({"type": "map", "width": 2, "height": 2, "tilewidth": 64, "tileheight": 64,
        "properties": {"Color": "Green", "Name": "Tiles"},
        "tilesets": [{"firstgid": 1, "source": "tiles.json"}, {"firstgid": 101, "source": "tiles.json"}],
        "layers": [{"name": "Background", "width": 2, "height": 2, "data": [0, 0, 0, 0]},
                   {"name": "Foreground", "width": 2, "height": 2, "data": [2147483650, 102, 0, 0]}]})";
    LoadLevel(path);
    Paint(1, {0, 0, 255, 255});

    Renderer::BeginFrame();
    DrawLevelTiles();
    Renderer::Present();

    EXPECT_EQ(Strongest(kWidth / 4, 3 * kHeight / 4), 'b') << At(kWidth / 4, 3 * kHeight / 4);
    EXPECT_NE(Strongest(3 * kWidth / 4, 3 * kHeight / 4), 'b') << At(3 * kWidth / 4, 3 * kHeight / 4);
}

} // namespace
