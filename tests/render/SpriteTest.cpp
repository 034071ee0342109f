#include "DrawingFixture.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/Trace.h"
#include "level/Level.h"
#include "render/Sprite.h"
#include "render/SpriteAnimated.h"

#include <rapidjson/document.h>
#include <string>
#include <vector>

namespace {

const int kFull = ToneMapped(1.0f);

// Entities drawn on the default camera fitted to 160 by 120 pixels: 60
// pixels a world unit, the origin at the centre.
class SpriteTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        Renderer::SetBloomDisabled(true);
    }

    std::shared_ptr<fb::Entity> Place(std::shared_ptr<Sprite> sprite, glm::vec2 position, glm::vec2 scale)
    {
        auto entity = std::make_shared<fb::Entity>("sprite");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
        entity->AddComponent(std::move(sprite));
        entities.push_back(entity);
        return entity;
    }

    void DrawFrame()
    {
        Renderer::BeginFrame();
        for (const auto& entity : entities)
            entity->Update();
        Renderer::Present();
    }

    static rapidjson::Document Json(const char* text)
    {
        rapidjson::Document document;
        document.Parse(text);
        return document;
    }

    std::vector<std::shared_ptr<fb::Entity>> entities;
};

TEST_F(SpriteTest, DrawsItsImageThroughItsEntitysTransform)
{
    Place(std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 2), {0.5f, 0.0f}, {0.5f, 0.5f});
    DrawFrame();
    EXPECT_TRUE(Near(At(110, 60), kFull, 0, 0));
    EXPECT_TRUE(Near(At(80, 60), 0, 0, 0));
}

TEST_F(SpriteTest, OpacityAndFlipShowOnScreen)
{
    auto sprite = std::make_shared<Sprite>("tests/data/render/red-green.png", 0.5f, 2);
    sprite->SetFlipped(true);
    Place(sprite, {0.0f, 0.0f}, {1.0f, 1.0f});
    DrawFrame();
    const int half = ToneMapped(0.5f);
    EXPECT_TRUE(Near(At(60, 60), 0, half, 0)) << "mirrored: green on the left";
    EXPECT_TRUE(Near(At(100, 60), half, 0, 0));
}

TEST_F(SpriteTest, HigherLayersCoverLowerOnesWhateverTheUpdateOrder)
{
    Place(std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 3), {0.0f, 0.0f}, {1.0f, 1.0f});
    Place(std::make_shared<Sprite>("tests/data/render/red-green.png", 1.0f, 2), {0.0f, 0.0f}, {1.0f, 1.0f});
    DrawFrame();
    EXPECT_TRUE(Near(At(100, 60), kFull, 0, 0));
    EXPECT_TRUE(Near(At(60, 60), kFull, 0, 0));
}

TEST_F(SpriteTest, AMissingImageIsDrawnAsTheChecker)
{
    Place(std::make_shared<Sprite>("tests/data/render/no-such-image.png", 1.0f, 2), {0.0f, 0.0f}, {2.0f, 2.0f});
    DrawFrame();
    const int grey = ToneMapped(25.0f / 255.0f);
    EXPECT_TRUE(Near(At(40, 90), kFull, 0, kFull));
    EXPECT_TRUE(Near(At(120, 90), grey, grey, grey));
    EXPECT_TRUE(Near(At(40, 30), grey, grey, grey));
}

TEST_F(SpriteTest, ASpriteWithoutATransformStillQueuesARecord)
{
    Place(std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 2), {0.0f, 0.0f}, {1.0f, 1.0f});
    auto loose = std::make_shared<fb::Entity>("loose");
    loose->AddComponent(std::make_shared<Sprite>("tests/data/render/red-green.png", 1.0f, 2));
    entities.push_back(loose);
    std::vector<std::string> traces;
    SetTraceSink([&traces](const std::string& message, int) { traces.push_back(message); });
    DrawFrame();
    SetTraceSink(nullptr);
    EXPECT_NE(std::find(traces.begin(), traces.end(), "Sprite with no given transform"), traces.end());
    // It lands where the record before it was placed.
    EXPECT_TRUE(Near(At(60, 60), kFull, 0, 0));
    EXPECT_TRUE(Near(At(100, 60), 0, kFull, 0));
}

TEST_F(SpriteTest, LayerOneIsNeverForcedIntoTheBloomAndLetsTheNextRecordBe)
{
    Renderer::SetBloomDisabled(false);
    // Red is under the threshold: it glows only when forced.
    auto red = std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 1);
    Place(red, {-0.6f, 0.0f}, {0.4f, 0.4f});
    constexpr int kBesideX = 28;
    DrawFrame();
    EXPECT_TRUE(Near(At(kBesideX, 60), 0, 0, 0));

    red->SetLayer(2);
    DrawFrame();
    EXPECT_GT(At(kBesideX, 60).r, 10) << "the first record of a frame is forced into the bloom";

    red->SetLayer(1);
    Renderer::BeginFrame();
    entities.front()->Update();
    Quad(Solid({128, 128, 128, 255}), ScreenRect(0.25f, -0.2f, 0.5f, 0.2f), 2);
    Renderer::Present();
    EXPECT_TRUE(Near(At(kBesideX, 60), 0, 0, 0));
    EXPECT_GT(At(125, 60).r, 10) << "the grey square after it glows";
}

TEST_F(SpriteTest, AScreenFixedSpriteKeepsItsSizeWhileTheFollowingCameraZooms)
{
    CurrentLevel().width = 20;
    CurrentLevel().height = 10;
    auto camera = std::make_shared<CamManager::Camera>(glm::vec2(0.0f, 0.0f), 0.0f, 10.0f, 10.0f);
    camera->SetFollow(true);
    CamManager::SetActiveCamera(camera);
    Place(std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 5), {0.0f, 0.0f}, {1.0f, 1.0f});
    auto width = [this] {
        int lit = 0;
        for (int x = 0; x < kWidth; ++x)
            lit += At(x, 60).r > 100 ? 1 : 0;
        return lit;
    };
    DrawFrame();
    const int near = width();
    camera->SetScale({20.0f, 20.0f});
    CamManager::Update(0.0f);
    DrawFrame();
    EXPECT_GT(near, 0);
    EXPECT_EQ(width(), near);
    // The camera shows 13.3 by 10 units: one unit is 12 pixels.
    EXPECT_NEAR(near, 12, 1);
}

TEST_F(SpriteTest, ScreenTransformIsTheIdentityWithoutALevelOrAFollowingCamera)
{
    auto camera = std::make_shared<CamManager::Camera>(glm::vec2(0.0f, 0.0f), 0.0f, 10.0f, 10.0f);
    camera->SetFollow(true);
    CamManager::SetActiveCamera(camera);
    EXPECT_EQ(Sprite::ScreenTransform(), glm::mat3(1.0f)) << "no level loaded";
    CurrentLevel().width = 20;
    CurrentLevel().height = 5;
    EXPECT_FLOAT_EQ(Sprite::ScreenTransform()[0][0], 2.0f);
    camera->SetFollow(false);
    EXPECT_EQ(Sprite::ScreenTransform(), glm::mat3(1.0f));
}

TEST_F(SpriteTest, TheSpriteCreatorReadsItsKeysAndAlwaysUsesLayerTwo)
{
    ASSERT_TRUE(ComponentFactory::IsRegistered("Sprite"));
    const rapidjson::Document json = Json(R"({"filename": "tests/data/render/red.png", "opacity": 0.25})");
    auto sprite = std::dynamic_pointer_cast<Sprite>(ComponentFactory::Create("Sprite", json));
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetTexture().name, "tests/data/render/red.png");
    EXPECT_FLOAT_EQ(sprite->GetOpacity(), 0.25f);
    EXPECT_EQ(sprite->GetLayer(), 2);
}

TEST_F(SpriteTest, AnArchetypeWithBadSpriteKeysGivesAVisibleDefaultSprite)
{
    const rapidjson::Document json = Json(R"({"filename": 12})");
    std::vector<std::string> traces;
    SetTraceSink([&traces](const std::string& message, int) { traces.push_back(message); });
    auto sprite = std::dynamic_pointer_cast<Sprite>(ComponentFactory::Create("Sprite", json));
    SetTraceSink(nullptr);
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetTexture().name, "");
    EXPECT_FLOAT_EQ(sprite->GetOpacity(), 1.0f);
    EXPECT_EQ(traces.size(), 2u);

    Place(sprite, {0.0f, 0.0f}, {2.0f, 2.0f});
    DrawFrame();
    EXPECT_TRUE(Near(At(40, 90), kFull, 0, kFull)) << "the checker shows what is missing";
}

TEST_F(SpriteTest, CloneIsAPlainSpriteOfTheSameImageOnLayerTwo)
{
    Sprite original("tests/data/render/red.png", 0.75f, 5);
    original.SetFlipped(true);
    std::unique_ptr<Sprite> copy(original.Clone());
    EXPECT_EQ(copy->GetTexture().name, "tests/data/render/red.png");
    EXPECT_FLOAT_EQ(copy->GetOpacity(), 0.75f);
    EXPECT_EQ(copy->GetLayer(), 2);
    EXPECT_FALSE(copy->IsFlipped());

    SpriteAnimated sheet("tests/data/render/sheet-4x2.png", 4, 2, 1.0f);
    std::unique_ptr<Sprite> sheetCopy(sheet.Clone());
    EXPECT_EQ(typeid(*sheetCopy), typeid(Sprite));
}

TEST_F(SpriteTest, AMovedSpriteKeepsItsSettingsAndLooksItsTextureUpAgain)
{
    Sprite original("tests/data/render/red.png", 0.5f, 4);
    original.SetFlipped(true);
    original.SetTexture(Texture("tests/data/render/red.png"));
    ASSERT_NE(original.GetTexture().id, 0u);
    Sprite moved(std::move(original));
    EXPECT_EQ(moved.GetTexture().id, 0u);
    EXPECT_EQ(moved.GetTexture().name, "tests/data/render/red.png");
    EXPECT_EQ(moved.GetLayer(), 4);
    EXPECT_TRUE(moved.IsFlipped());
    EXPECT_FLOAT_EQ(moved.GetOpacity(), 0.5f);
}

// The sheet is 4 by 2 cells: top row red, green, blue, yellow; bottom row
// magenta, cyan, grey, white.
class SpriteSheetTest : public SpriteTest {
protected:
    GLTestWindow::Pixel Frame(unsigned frame, bool flipped = false)
    {
        sheet->SetFrame(frame);
        sheet->SetFlipped(flipped);
        DrawFrame();
        return At(80, 60);
    }

    void SetUp() override
    {
        SpriteTest::SetUp();
        sheet = std::make_shared<SpriteAnimated>("tests/data/render/sheet-4x2.png", 4, 2, 1.0f);
        Place(sheet, {0.0f, 0.0f}, {1.0f, 1.0f});
    }

    std::shared_ptr<SpriteAnimated> sheet;
};

TEST_F(SpriteSheetTest, FrameZeroIsTheBottomLeftCellAndFramesRunLeftToRightThenUp)
{
    EXPECT_TRUE(Near(Frame(0), kFull, 0, kFull));
    EXPECT_TRUE(Near(Frame(1), 0, kFull, kFull));
    EXPECT_TRUE(Near(Frame(5), 0, kFull, 0)) << "second column of the upper row";
    EXPECT_TRUE(Near(Frame(7), kFull, kFull, 0));
}

TEST_F(SpriteSheetTest, TheFrameIndexWrapsAroundTheWholeSheet)
{
    EXPECT_EQ(Frame(8), Frame(0));
    sheet->SetFrame(4);
    sheet->NextFrame();
    EXPECT_EQ(sheet->GetFrame(), 5u);
}

TEST_F(SpriteSheetTest, AFlippedSheetIsMirroredLeftToRightNotUpsideDown)
{
    // Frame 0 mirrored: still the magenta cell, its texels in reverse.
    sheet->SetFrame(0);
    sheet->SetFlipped(true);
    DrawFrame();
    EXPECT_TRUE(Near(At(80, 60), kFull, 0, kFull));
    auto wide = std::make_shared<SpriteAnimated>("tests/data/render/red-green.png", 1, 1, 1.0f);
    wide->SetFlipped(true);
    entities.clear();
    Place(wide, {0.0f, 0.0f}, {1.0f, 1.0f});
    DrawFrame();
    EXPECT_TRUE(Near(At(60, 60), 0, kFull, 0));
    EXPECT_TRUE(Near(At(100, 60), kFull, 0, 0));
}

TEST_F(SpriteSheetTest, TheAnimatedCreatorReadsTheSheetSize)
{
    ASSERT_TRUE(ComponentFactory::IsRegistered("SpriteAnimated"));
    const rapidjson::Document json =
        Json(R"({"filename": "tests/data/render/sheet-4x2.png", "opacity": 1.0, "xsize": 4, "ysize": 2})");
    auto made = std::dynamic_pointer_cast<SpriteAnimated>(ComponentFactory::Create("SpriteAnimated", json));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->GetLayer(), 2);
    made->SetFrame(6);
    entities.clear();
    Place(made, {0.0f, 0.0f}, {1.0f, 1.0f});
    DrawFrame();
    EXPECT_TRUE(Near(At(80, 60), 0, 0, kFull));
}

TEST_F(SpriteSheetTest, ASheetOfNoCellsIsDrawnAsOneCell)
{
    const rapidjson::Document json = Json(R"({"filename": "tests/data/render/red-green.png", "opacity": 1.0,
                                              "xsize": 0, "ysize": -3})");
    auto made = std::dynamic_pointer_cast<SpriteAnimated>(ComponentFactory::Create("SpriteAnimated", json));
    ASSERT_TRUE(made);
    entities.clear();
    Place(made, {0.0f, 0.0f}, {1.0f, 1.0f});
    DrawFrame();
    EXPECT_TRUE(Near(At(60, 60), kFull, 0, 0));
    EXPECT_TRUE(Near(At(100, 60), 0, kFull, 0));

    auto direct = std::make_shared<SpriteAnimated>("tests/data/render/red-green.png", 0, 0, 1.0f);
    direct->SetFrame(3);
    entities.clear();
    Place(direct, {0.0f, 0.0f}, {1.0f, 1.0f});
    DrawFrame();
    EXPECT_TRUE(Near(At(60, 60), kFull, 0, 0));
    EXPECT_TRUE(Near(At(100, 60), 0, kFull, 0));
}

} // namespace
