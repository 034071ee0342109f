#include "DrawingFixture.h"

#include "render/DebugShapes.h"

namespace {

// The default camera on 160 by 120 pixels shows 2.67 by 2 units: a unit
// square at the origin spans x 50 to 110 and y 30 to 90.
class DebugShapesTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        Render::Initialize();
        Render::SetTransform(glm::mat3(1.0f));
        // Slate blue, so that black outlines show.
        Render::Clear();
    }

    void TearDown() override
    {
        Render::Shutdown();
        DrawingTest::TearDown();
    }

    static void Shape(glm::vec3 colour, glm::vec2 centre)
    {
        glm::mat3 transform(1.0f);
        transform[2] = glm::vec3(centre, 1.0f);
        Render::SetTransform(transform);
        Render::SetColor(colour);
        Render::DrawShape();
    }
};

const GLTestWindow::Pixel kSlate{64, 64, 89, 255};

TEST_F(DebugShapesTest, AnOutlineIsThickenedTowardTheUpperRight)
{
    Shape({1.0f, 0.0f, 0.0f}, {0.0f, 0.0f});
    Render::Flush();
    EXPECT_EQ(At(50, 60), (GLTestWindow::Pixel{255, 0, 0, 255})) << "left side";
    EXPECT_EQ(At(58, 60), (GLTestWindow::Pixel{255, 0, 0, 255})) << "ten copies a pixel apart";
    EXPECT_EQ(At(48, 60), kSlate) << "nothing to the left of it";
    EXPECT_EQ(At(80, 60), kSlate) << "an outline, not a fill";
    EXPECT_EQ(At(80, 30), (GLTestWindow::Pixel{255, 0, 0, 255})) << "bottom side";
    EXPECT_EQ(At(80, 28), kSlate);
}

TEST_F(DebugShapesTest, QueuedShapesIgnoreWhereTheCameraIs)
{
    auto camera = std::make_shared<CamManager::Camera>();
    camera->SetPosition({0.5f, 0.5f});
    CamManager::SetActiveCamera(camera);
    Shape({1.0f, 1.0f, 1.0f}, {0.0f, 0.0f});
    Render::Flush();
    EXPECT_EQ(At(50, 60), (GLTestWindow::Pixel{255, 255, 255, 255}));
}

TEST_F(DebugShapesTest, AShapeWithoutAColourOfItsOwnTakesThePreviousOnes)
{
    Shape({0.0f, 1.0f, 0.0f}, {-0.6f, 0.0f});
    glm::mat3 right(1.0f);
    right[2] = glm::vec3(0.6f, 0.0f, 1.0f);
    Render::SetTransform(right);
    Render::DrawShape();
    Render::Flush();
    EXPECT_EQ(At(17, 60), (GLTestWindow::Pixel{0, 255, 0, 255})) << "left side of the left square";
    EXPECT_EQ(At(89, 60), (GLTestWindow::Pixel{0, 255, 0, 255})) << "left side of the right square";
}

TEST_F(DebugShapesTest, EachShapeKeepsItsOwnColour)
{
    Shape({1.0f, 0.0f, 0.0f}, {-0.6f, 0.0f});
    Shape({1.0f, 1.0f, 1.0f}, {0.6f, 0.0f});
    Render::Flush();
    EXPECT_EQ(At(17, 60), (GLTestWindow::Pixel{255, 0, 0, 255}));
    EXPECT_EQ(At(89, 60), (GLTestWindow::Pixel{255, 255, 255, 255}));
}

TEST_F(DebugShapesTest, BeforeAnyColourAShapeIsBlack)
{
    Render::DrawShape();
    Render::Flush();
    EXPECT_EQ(At(50, 60), (GLTestWindow::Pixel{0, 0, 0, 255}));
}

TEST_F(DebugShapesTest, FlushEmptiesTheQueue)
{
    Shape({1.0f, 0.0f, 0.0f}, {0.0f, 0.0f});
    Render::Flush();
    Render::Clear();
    Render::Flush();
    EXPECT_EQ(At(50, 60), kSlate);
}

TEST_F(DebugShapesTest, ShapesAreDrawnOverTheFinishedScene)
{
    Renderer::BeginFrame();
    Quad(Solid({0, 0, 255, 255}), ScreenRect(-1.0f, -1.0f, 1.0f, 1.0f), 5);
    Renderer::Present();
    Shape({1.0f, 0.0f, 0.0f}, {0.0f, 0.0f});
    Render::Flush();
    EXPECT_EQ(At(50, 60), (GLTestWindow::Pixel{255, 0, 0, 255}));
    EXPECT_GT(At(80, 60).b, 150);
}

TEST_F(DebugShapesTest, DrawNowFillsHalfTheSquareAtOnceThroughTheView)
{
    Render::SetTransform(glm::mat3(1.0f));
    Render::DrawNow();
    // The lower-right half: below the diagonal from the lower left.
    EXPECT_EQ(At(100, 40), (GLTestWindow::Pixel{128, 230, 51, 255}));
    EXPECT_EQ(At(60, 80), kSlate);
}

} // namespace
