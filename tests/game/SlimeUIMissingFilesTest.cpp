#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/SlimeUI.h"
#include "render/CamManager.h"
#include "render/Sprite.h"
#include "support/GLTestWindow.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Started from a folder without the display's archetype files, the display
// is still built whole (plain pieces) and keeps the win rule.
TEST(SlimeUIMissingFiles, PlainPiecesStandInForMissingArchetypes)
{
    GLTestWindow window;
    const std::filesystem::path home = std::filesystem::current_path();
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "vendrabolt-no-archetypes";
    std::filesystem::create_directories(empty / "assets" / "json");
    std::filesystem::current_path(empty);
    std::vector<std::string> traces;
    const TraceSink old = SetTraceSink([&traces](const std::string& message, int) { traces.push_back(message); });
    EntityManager::Init();
    Time::Init();
    Time::SetDt(1.0f / 60.0f);
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());

    SlimeUI::Initialize();

    int boxes = 0;
    int magazines = 0;
    for (const auto& entity : EntityManager::GetEntities()) {
        if (entity->GetName() != "slimebox" && entity->GetName() != "slimemagazine")
            continue;
        (entity->GetName() == "slimebox" ? boxes : magazines) += 1;
        ASSERT_TRUE(entity->GetComponent<fb::cmp::Transform>());
        ASSERT_TRUE(entity->GetComponent<Sprite>());
        EXPECT_EQ(entity->GetComponent<Sprite>()->GetLayer(), 5);
    }
    EXPECT_EQ(boxes, 4);
    EXPECT_EQ(magazines, 4);
    bool traced = false;
    for (const std::string& message : traces)
        traced = traced || message.find("slimebox") != std::string::npos;
    EXPECT_TRUE(traced);

    for (int i = 0; i < 20; ++i)
        SlimeUI::UpdatePlayer(1, 3);
    SlimeUI::Update(false);
    SlimeUI::Update(true);
    SlimeUI::Draw();
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), 3);

    EntityManager::Clear();
    SetTraceSink(old);
    std::filesystem::current_path(home);
}

} // namespace
