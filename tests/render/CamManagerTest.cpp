#include "DrawingFixture.h"

#include "core/Random.h"
#include "core/Trace.h"
#include "support/StillCamera.h"

#include <cmath>
#include <glm/gtc/constants.hpp>
#include <limits>
#include <string>
#include <vector>

namespace {

using CamManager::Camera;

std::shared_ptr<Camera> Following()
{
    auto camera = std::make_shared<Camera>();
    camera->SetFollow(true);
    CamManager::SetActiveCamera(camera);
    return camera;
}

glm::vec2 Through(const glm::mat3& matrix, glm::vec2 point)
{
    const glm::vec3 mapped = matrix * glm::vec3(point, 1.0f);
    return {mapped.x, mapped.y};
}

// These run without a window, so the camera keeps the size it is given.
// Each starts and ends with the still camera the game starts with.
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override { UseStillCamera(); }
    void TearDown() override { UseStillCamera(); }
};

using CameraFollow = CameraTest;
using CameraRotation = CameraTest;
using CameraStall = CameraTest;
using CameraShake = CameraTest;
using CameraMatrices = CameraTest;
using CameraSquareWindow = CameraTest;

TEST_F(CameraFollow, MovesAndZoomsTowardItsFocusPointByTheFrameTime)
{
    auto camera = Following();
    CamManager::AddFocusPoint(10.0f, 0.0f, 1);
    CamManager::Update(0.1f);
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 1.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().y, 0.0f);
    // One point has no spread: the zoom heads for 1 * 2.6.
    EXPECT_FLOAT_EQ(camera->GetScale().x, 2.06f);
    EXPECT_FLOAT_EQ(camera->GetScale().y, 2.06f);
}

TEST_F(CameraFollow, HeadsForTheWeightedCentreAndZoomsOutWithTheSpread)
{
    auto camera = Following();
    CamManager::AddFocusPoint(0.0f, 0.0f, 3);
    CamManager::AddFocusPoint(8.0f, 4.0f, 1);
    CamManager::Update(0.5f);
    // Centre (2, 1); the farthest point is 6 across: zoom 6 * 2.6.
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 1.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().y, 0.5f);
    EXPECT_FLOAT_EQ(camera->GetScale().x, 2.0f + (15.6f - 2.0f) * 0.5f);
}

TEST_F(CameraFollow, FocusPointsLastOneUpdate)
{
    auto camera = Following();
    CamManager::AddFocusPoint(10.0f, 0.0f, 1);
    CamManager::Update(0.1f);
    CamManager::Update(0.1f);
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 1.0f);
}

TEST_F(CameraFollow, ZeroWeightsLeaveItInPlaceButItStillStraightens)
{
    auto camera = Following();
    camera->SetRotation(0.5f);
    CamManager::AddFocusPoint(10.0f, 10.0f, 0);
    CamManager::Update(0.1f);
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 0.0f);
    EXPECT_NEAR(camera->GetRotation(), 0.4f, 1e-5f);
}

TEST_F(CameraFollow, AnExplicitTargetWinsAndZoomsTwiceAsFast)
{
    auto camera = Following();
    CamManager::AddFocusPoint(-10.0f, 0.0f, 1);
    CamManager::SetFollowParams(4.0f, 2.0f, 3.0f, 1.0f);
    CamManager::Update(0.1f);
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 0.4f);
    EXPECT_FLOAT_EQ(camera->GetPosition().y, 0.2f);
    EXPECT_FLOAT_EQ(camera->GetScale().y, 2.0f + (15.6f - 2.0f) * 0.2f);
}

TEST_F(CameraFollow, ATargetAtXZeroCountsAsNone)
{
    auto camera = Following();
    CamManager::SetFollowParams(0.0f, 5.0f, 3.0f, 1.0f);
    CamManager::AddFocusPoint(10.0f, 0.0f, 1);
    CamManager::Update(0.1f);
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 1.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().y, 0.0f);
}

TEST_F(CameraFollow, ACameraThatDoesNotFollowStaysWhereItIs)
{
    auto camera = std::make_shared<Camera>(glm::vec2(3.0f, 1.0f), 0.3f, 8.0f, 6.0f);
    CamManager::SetActiveCamera(camera);
    CamManager::AddFocusPoint(10.0f, 0.0f, 1);
    CamManager::Update(0.5f);
    EXPECT_EQ(camera->GetPosition(), glm::vec2(3.0f, 1.0f));
    EXPECT_NEAR(camera->GetRotation(), 0.3f, 1e-6f);
}

TEST_F(CameraFollow, WhatLiesOutOfFloatsRangeLeavesItWhereItWas)
{
    auto camera = Following();
    const Camera kept = *camera;
    const float inf = std::numeric_limits<float>::infinity();
    // Points at infinity, no number, a spread too wide for a float; a target
    // at infinity and one too big to zoom to.
    for (const glm::vec4& points : {glm::vec4(inf, 0, 0, 0), {std::nanf(""), 1, 0, 0}, {3e38f, 0, -3e38f, 0}}) {
        CamManager::AddFocusPoint(points.x, points.y, 1);
        CamManager::AddFocusPoint(points.z, points.w, 1);
        CamManager::Update(0.1f);
    }
    for (const glm::vec4& target : {glm::vec4(inf, 0, 1, 1), {1, 0, 3e38f, 1}}) {
        CamManager::SetFollowParams(target.x, target.y, target.z, target.w);
        CamManager::Update(0.1f);
    }
    EXPECT_EQ(camera->position, kept.position);
    EXPECT_EQ(camera->scale, kept.scale);
}

TEST_F(CameraRotation, EasesBackToZeroInAboutHalfASecond)
{
    auto camera = Following();
    camera->SetRotation(0.5f);
    for (int frame = 0; frame < 29; ++frame)
        CamManager::Update(1.0f / 60.0f);
    EXPECT_GT(camera->GetRotation(), 0.01f);
    CamManager::Update(1.0f / 60.0f);
    EXPECT_EQ(camera->GetRotation(), 0.0f);
    EXPECT_EQ(camera->up, glm::vec3(0.0f, 1.0f, 0.0f));
}

TEST_F(CameraRotation, SlowFramesDoNotRockItAroundZero)
{
    auto camera = Following();
    camera->SetRotation(-0.05f);
    CamManager::Update(0.1f);
    EXPECT_EQ(camera->GetRotation(), 0.0f);
    CamManager::Update(0.1f);
    EXPECT_EQ(camera->GetRotation(), 0.0f);
}

TEST_F(CameraRotation, BecomingActiveSnapsATinyRotationAtOnce)
{
    auto camera = std::make_shared<Camera>();
    camera->SetFollow(true);
    camera->SetRotation(0.005f);
    CamManager::SetActiveCamera(camera);
    EXPECT_EQ(camera->GetRotation(), 0.0f);
}

TEST_F(CameraStall, ALongFrameLandsOnTheGoalInsteadOfOvershootingIt)
{
    auto camera = Following();
    CamManager::AddFocusPoint(10.0f, 4.0f, 1);
    CamManager::Update(5.0f);
    EXPECT_FLOAT_EQ(camera->GetPosition().x, 10.0f);
    EXPECT_FLOAT_EQ(camera->GetScale().x, 2.6f);

    CamManager::SetFollowParams(4.0f, 0.0f, 1.0f, 1.0f);
    CamManager::Update(0.8f);
    // 2dt would be 1.6: the view would turn inside out.
    EXPECT_FLOAT_EQ(camera->GetScale().x, 5.2f);
    EXPECT_GT(CamManager::GetWorld2NDC()[0][0], 0.0f);
}

TEST_F(CameraShake, JoltsThePictureLessAndLessThenStops)
{
    Random::Seed(7);
    CamManager::SetActiveCamera(std::make_shared<Camera>());
    const glm::mat3 still = CamManager::GetViewMatrix();

    CamManager::Shake(0.2f, 0.015f);
    float largest = 0.0f;
    for (int i = 0; i < 50; ++i) {
        CamManager::Update(0.0f);
        const glm::vec3 offset = CamManager::GetViewMatrix()[2] - still[2];
        largest = std::max({largest, std::abs(offset.x), std::abs(offset.y)});
    }
    EXPECT_GT(largest, 0.005f);
    EXPECT_LE(largest, 0.015f);

    CamManager::Update(0.1f);
    largest = 0.0f;
    for (int i = 0; i < 50; ++i) {
        CamManager::Update(0.0f);
        const glm::vec3 offset = CamManager::GetViewMatrix()[2] - still[2];
        largest = std::max({largest, std::abs(offset.x), std::abs(offset.y)});
    }
    EXPECT_LE(largest, 0.0075f) << "half the time left, half the strength";

    CamManager::Update(0.15f);
    EXPECT_EQ(CamManager::GetViewMatrix(), still);
    CamManager::Update(0.0f);
    EXPECT_EQ(CamManager::GetViewMatrix(), still);
}

TEST_F(CameraShake, AShakeLeavesTheProjectionAlone)
{
    CamManager::SetActiveCamera(std::make_shared<Camera>());
    const glm::mat3 projection = CamManager::GetWorld2NDC();
    CamManager::Shake(1.0f, 0.5f);
    CamManager::Update(0.0f);
    EXPECT_EQ(CamManager::GetWorld2NDC(), projection);
}

TEST_F(CameraMatrices, WithoutACameraTheViewIsTheIdentityAndItSaysSo)
{
    std::vector<std::string> traces;
    SetTraceSink([&traces](const std::string& message, int) { traces.push_back(message); });
    CamManager::SetActiveCamera(std::make_shared<Camera>(glm::vec2(5.0f, 5.0f), 0.0f, 4.0f, 4.0f));
    CamManager::SetActiveCamera(nullptr);
    SetTraceSink(nullptr);
    EXPECT_EQ(CamManager::GetViewMatrix(), glm::mat3(1.0f));
    EXPECT_EQ(CamManager::GetWorld2NDC(), glm::mat3(1.0f));
    EXPECT_EQ(traces, std::vector<std::string>{"World2NDC transform requested, CamManager inactive/no camera"});
}

TEST_F(CameraMatrices, ViewPlacesTheCameraAndInverseViewUndoesIt)
{
    CamManager::SetActiveCamera(std::make_shared<Camera>(glm::vec2(3.0f, 2.0f), glm::half_pi<float>(), 8.0f, 6.0f));
    // Rotated a quarter turn: one unit above the camera is the right edge
    // of a view four units wide each way.
    const glm::vec2 ndc = Through(CamManager::GetViewMatrix(), {3.0f, 6.0f});
    EXPECT_NEAR(ndc.x, 1.0f, 1e-5f);
    EXPECT_NEAR(ndc.y, 0.0f, 1e-5f);
    const glm::vec2 back = Through(CamManager::GetInverseViewMatrix(), ndc);
    EXPECT_NEAR(back.x, 3.0f, 1e-5f);
    EXPECT_NEAR(back.y, 6.0f, 1e-5f);
}

TEST_F(CameraMatrices, NDC2WorldMapsTheScreenOntoAMenuCamerasWorld)
{
    auto camera = std::make_shared<Camera>();
    camera->SetScale({8.0f, 6.0f});
    CamManager::SetActiveCamera(camera);
    const glm::vec2 world = Through(CamManager::GetNDC2World(), {0.5f, -0.5f});
    EXPECT_FLOAT_EQ(world.x, 2.0f);
    EXPECT_FLOAT_EQ(world.y, -1.5f);
}

TEST_F(CameraMatrices, ACameraOfNoSizeKeepsTheLastPicture)
{
    auto camera = std::make_shared<Camera>();
    CamManager::SetActiveCamera(camera);
    const glm::mat3 view = CamManager::GetViewMatrix();
    camera->SetScale({0.0f, 0.0f});
    CamManager::Update(0.1f);
    EXPECT_EQ(CamManager::GetViewMatrix(), view);
    EXPECT_EQ(CamManager::GetWorld2NDC(), view);
}

// With a window the camera takes the window's shape.

using CameraPixels = DrawingTest;

TEST_F(CameraPixels, TheViewIsAsWideAsTheWindowIsAtTheCamerasHeight)
{
    auto camera = std::make_shared<Camera>(glm::vec2(0.0f, 0.0f), 0.0f, 6.0f, 6.0f);
    CamManager::SetActiveCamera(camera);
    EXPECT_FLOAT_EQ(camera->GetScale().y, 6.0f);
    EXPECT_FLOAT_EQ(camera->GetScale().x, 8.0f);
}

TEST_F(CameraPixels, WorldPointsLandOnThePixelsTheCameraPutsThemOn)
{
    Renderer::SetBloomDisabled(true);
    const Texture red = Solid({255, 0, 0, 255});
    auto camera = std::make_shared<Camera>(glm::vec2(3.0f, 2.0f), 0.0f, 6.0f, 6.0f);
    CamManager::SetActiveCamera(camera);

    // 8 by 6 units on 160 by 120 pixels: 20 pixels a unit, the camera's
    // position at the centre.
    glm::mat3 model(1.0f);
    model[0][0] = 0.5f;
    model[1][1] = 0.5f;
    model[2] = glm::vec3(4.0f, 1.0f, 1.0f);
    Renderer::BeginFrame();
    Quad(red, model, 2);
    Renderer::Present();
    EXPECT_TRUE(Near(At(100, 40), ToneMapped(1.0f), 0, 0));
    EXPECT_TRUE(Near(At(80, 60), 0, 0, 0));
    EXPECT_TRUE(Near(At(107, 40), 0, 0, 0)) << "half a unit wide is 10 pixels";

    camera->SetPosition({4.0f, 1.0f});
    CamManager::Update(0.0f);
    Renderer::BeginFrame();
    Quad(red, model, 2);
    Renderer::Present();
    EXPECT_TRUE(Near(At(80, 60), ToneMapped(1.0f), 0, 0));
    EXPECT_TRUE(Near(At(100, 40), 0, 0, 0));
}

TEST_F(CameraSquareWindow, TheDefaultCameraMapsWorldUnitsOntoNDC)
{
    GLTestWindow window(100, 100);
    CamManager::SetActiveCamera(std::make_shared<Camera>());
    EXPECT_EQ(CamManager::GetViewMatrix(), glm::mat3(1.0f));
    EXPECT_EQ(CamManager::GetWorld2NDC(), glm::mat3(1.0f));
}

} // namespace
