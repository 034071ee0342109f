#pragma once

#include "core/Entity.h"
#include "core/Input.h"
#include "core/Transform.h"
#include "game/GameEventLog.h"
#include "render/CamManager.h"
#include "render/Sprite.h"
#include "support/EngineWorldTest.h"
#include "support/GLTestWindow.h"
#include "support/VirtualMouse.h"
#include "support/VirtualPad.h"
#include "ui/Button.h"
#include "ui/InputMode.h"
#include "ui/UIFramework.h"

#include <memory>
#include <vector>

// A menu screen for tests: a real window on a private X server with a real
// mouse, the pads, a menu camera showing 32 by 24 world units on 320 by 240
// pixels (10 pixels a unit, the origin at the window's centre), buttons
// built as the screens build them, and a log of the game events.
class MenuRig : public EngineWorldTest {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    void SetUp() override
    {
        ASSERT_TRUE(mouse.IsRunning());
        EngineWorldTest::SetUp();
        window = std::make_unique<GLTestWindow>(kWidth, kHeight);
        ASSERT_TRUE(mouse.Attach(window->GetWindow().GetSDLWindow()));
        camera = std::make_shared<CamManager::Camera>();
        camera->SetScale({32.0f, 24.0f});
        CamManager::SetActiveCamera(camera);
        CamManager::Update(0.0f);
        Input::Init();
        events = GameEventLog::Attach();
    }

    void TearDown() override
    {
        Input::Shutdown();
        entities.clear();
        window.reset();
        EngineWorldTest::TearDown();
    }

    // An entity with a Transform (centre and size in world units), a Sprite
    // on the layer and a Button, listed in the screen's framework.
    std::shared_ptr<Button> MakeButton(glm::vec2 centre, glm::vec2 size, int layer = 2)
    {
        auto entity = std::make_shared<fb::Entity>("Button");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(centre, size, 0.0f));
        entity->AddComponent(std::make_shared<Sprite>("./assets/img/ButtonPlay.png", 1.0f, layer));
        auto button = std::make_shared<Button>();
        entity->AddComponent(button);
        entities.push_back(entity);
        ui.AddButton(button);
        buttons.push_back(button);
        return button;
    }

    static float Opacity(const std::shared_ptr<Button>& button)
    {
        return button->GetOwner().lock()->GetComponent<Sprite>()->GetOpacity();
    }

    // One game frame as far as a menu sees it: the window pumps the mouse
    // and keys, the pads are read, the input mode follows them, then the
    // screen updates its framework and its buttons.
    void Frame(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            window->GetWindow().Update();
            Input::Update();
            UpdateInputMode();
            ui.Update();
            for (const std::shared_ptr<Button>& button : buttons)
                button->Update();
        }
    }

    // Mouse mode whatever an earlier test left: the mouse moves.
    void StartInMouseMode()
    {
        mouse.MoveTo(1, 1);
        Frame();
        mouse.MoveTo(2, 2);
        Frame();
        ASSERT_TRUE(IsMouseMode());
    }

    // The pixel of a world point.
    static int PixelX(float x) { return static_cast<int>(kWidth / 2 + 10.0f * x); }
    static int PixelY(float y) { return static_cast<int>(kHeight / 2 - 10.0f * y); }

    VirtualMouse mouse; // first: its X server must be up before SDL video starts
    std::unique_ptr<GLTestWindow> window;
    std::shared_ptr<CamManager::Camera> camera;
    std::shared_ptr<GameEventLog> events;
    UIFramework ui;
    std::vector<std::shared_ptr<Button>> buttons;
    std::vector<std::shared_ptr<fb::Entity>> entities;
};
