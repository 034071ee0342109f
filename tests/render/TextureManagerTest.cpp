#include "render/TextureManager.h"
#include "support/GLTestWindow.h"

#include <GL/glew.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Pixel = GLTestWindow::Pixel;

const Pixel kMagenta{255, 0, 255, 255};
const Pixel kDarkGrey{25, 25, 25, 255};

struct TextureImage {
    int width = 0;
    int height = 0;
    int minFilter = 0;
    int magFilter = 0;
    std::vector<Pixel> pixels;
};

TextureImage Inspect(unsigned id)
{
    TextureImage image;
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &image.minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &image.magFilter);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    return image;
}

void ExpectChecker(unsigned id)
{
    const TextureImage image = Inspect(id);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (std::vector<Pixel>{kMagenta, kDarkGrey, kDarkGrey, kMagenta}));
    EXPECT_EQ(image.minFilter, GL_NEAREST);
    EXPECT_EQ(image.magFilter, GL_NEAREST);
}

class TextureManagerTest : public ::testing::Test {
protected:
    GLTestWindow window{32, 32};
};

TEST_F(TextureManagerTest, DecodesAnImageAsStoredWithLinearFiltering)
{
    const Texture texture = TextureManager::Load("tests/data/render/red-green.png");
    EXPECT_EQ(texture.name, "tests/data/render/red-green.png");
    ASSERT_NE(texture.id, 0u);
    const TextureImage image = Inspect(texture.id);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.pixels, (std::vector<Pixel>{{255, 0, 0, 255}, {0, 255, 0, 255}}));
    EXPECT_EQ(image.minFilter, GL_LINEAR);
    EXPECT_EQ(image.magFilter, GL_LINEAR);
}

TEST_F(TextureManagerTest, AnImageIsUploadedOncePerSpelling)
{
    const Texture first = TextureManager::Load("tests/data/render/red.png");
    Texture lazy("tests/data/render/red.png");
    TextureManager::Get(lazy);
    EXPECT_EQ(lazy.id, first.id);

    const Texture dotted = TextureManager::Load("./tests/data/render/red.png");
    EXPECT_NE(dotted.id, first.id) << "the cache keys by the exact spelling";
    EXPECT_EQ(Inspect(dotted.id).pixels, Inspect(first.id).pixels);
}

TEST_F(TextureManagerTest, GetLeavesALoadedTextureAlone)
{
    Texture texture("tests/data/render/red.png");
    texture.id = 4242;
    TextureManager::Get(texture);
    EXPECT_EQ(texture.id, 4242u);
}

TEST_F(TextureManagerTest, AMissingImageBecomesTheCheckerAndIsNotTriedAgain)
{
    const std::filesystem::path later =
        std::filesystem::temp_directory_path() / ("vendrabolt-later-" + std::to_string(getpid()) + ".png");
    const Texture missing = TextureManager::Load(later.string());
    ASSERT_NE(missing.id, 0u);
    ExpectChecker(missing.id);

    // The image turning up later changes nothing for this run.
    std::filesystem::copy_file("tests/data/render/red.png", later);
    const Texture again = TextureManager::Load(later.string());
    std::filesystem::remove(later);
    EXPECT_EQ(again.id, missing.id);
    ExpectChecker(again.id);
}

TEST_F(TextureManagerTest, AnUndecodableImageBecomesTheChecker)
{
    ExpectChecker(TextureManager::Load("tests/data/render/not-an-image.png").id);
    ExpectChecker(TextureManager::Load("").id);
    // Neither a folder nor a device that never ends is read.
    ExpectChecker(TextureManager::Load("tests/data/render").id);
    ExpectChecker(TextureManager::Load("/dev/zero").id);
}

TEST_F(TextureManagerTest, TheGameImagesDecode)
{
    // Level backgrounds are JPEGs, which the decoder reads only when baseline.
    const char* const images[] = {"./assets/img/missingTex.png", "./assets/img/Green/background.jpg",
                                  "./assets/img//background.jpg"};
    for (const char* name : images) {
        const TextureImage image = Inspect(TextureManager::Load(name).id);
        EXPECT_GT(image.width * image.height, 4) << name << " became the checker";
    }
}

} // namespace
