#pragma once

// Players on the tutorial level, driven frame by frame through the real
// input path: SDL virtual pads (and, for the keyboard tests, real key
// presses), the real colliders that the level builder makes, and the
// tuning file of the game.

#include "audio/CharacterEvent.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/EventChannels.h"
#include "core/Input.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/AISpawnerGlobals.h"
#include "game/Character.h"
#include "game/CharacterGlobals.h"
#include "game/GoalZones.h"
#include "game/Players.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "physics/AdvancedBody.h"
#include "physics/ColliderPool.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "support/FreshGoalZones.h"
#include "support/GLTestWindow.h"
#include "support/StillCamera.h"
#include "support/VirtualPad.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Everything the character channel carried during a test.
class EventLog : public fb::evt::SubjectObserver<fb::evt::CharacterEvent> {
public:
    void OnNotify(const fb::evt::CharacterEvent& event) override { events.push_back({event.GetName(), event.entity}); }

    int Count(const std::string& name) const
    {
        int count = 0;
        for (const Entry& entry : events)
            count += entry.name == name ? 1 : 0;
        return count;
    }
    int Count(const std::string& name, const std::shared_ptr<fb::Entity>& entity) const
    {
        int count = 0;
        for (const Entry& entry : events)
            count += entry.name == name && entry.entity == entity ? 1 : 0;
        return count;
    }

    struct Entry {
        std::string name;
        std::shared_ptr<fb::Entity> entity;
    };
    std::vector<Entry> events;
};

// The ground rules of the round, for the movement flags these tests need:
// the cool-down, gravity on and off, landing, walls, the ceiling and
// dropping through jump-through platforms, run the way the match runs them
// before each entity update.
inline void KeepGroundContact()
{
    for (int i = 0; i < GetPlayerCount(); ++i) {
        Character* c = GetPlayer(i);
        auto body = c->GetEntity()->GetComponent<fb::cmp::AdvancedBody>();
        glm::vec2 v = body->GetVelocity();
        if (c->GetCooldown() > 0.0f)
            c->TickCooldown(Time::GetDt());
        if (v.y > 0.0f)
            c->SetDropThrough(true);
        if (body->CollisionDetected(2, fb::cmp::AdvancedBody::Top))
            c->SetJumpHeld();
        for (int side : {fb::cmp::AdvancedBody::Left, fb::cmp::AdvancedBody::Right}) {
            if (body->CollisionDetected(2, side)) {
                c->SetStunned(false);
                c->ClearJumpHeld();
            }
        }
        const bool stands = (!c->IsDroppingThrough() && body->CollisionDetected(128, fb::cmp::AdvancedBody::Bottom)) ||
                            body->CollisionDetected(2, fb::cmp::AdvancedBody::Bottom);
        if (stands && !c->IsGrounded()) {
            body->SetAcceleration({0.0f, 0.0f});
            body->SetVelocity({v.x, 0.0f});
            c->SetGrounded(true);
            c->SetCanAirJump(false);
            c->SetStunned(false);
            c->ClearJumpHeld();
        } else if (!stands && c->IsGrounded()) {
            body->SetAcceleration({0.0f, CharacterGlobals::GetGravity()});
            c->SetGrounded(false);
            c->SetDoubleJump(true);
            if (v.y <= 0.0f)
                c->SetCanAirJump(true);
        }
    }
}

class CharacterWorld : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;
    // The top of the tutorial's floor, and of its middle jump-through
    // platform (x -6 to 6).
    static constexpr float kFloorTop = -14.0f;
    static constexpr float kPlatformTop = -6.01f;
    // Half the height of a player's body.
    static constexpr float kHalfBody = 0.75f;

    void SetUp() override
    {
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level >= 3)
                traces.push_back(message);
        });
        window = std::make_unique<GLTestWindow>(160, 120);
        InitBoxColliders();
        EntityManager::Init();
        Time::Init();
        Time::SetDt(kFrame);
        Time::SetTimeScale(1.0f);
        Random::Seed(7);
        UseStillCamera();
        StartGoalZonesFresh();
        UnloadLevel();
        UnloadTileset();
        AISpawner::LoadFile("./assets/json/aitest.json");
        LoadLevel("./assets/levels/tutorial.json");
        BuildLevel();
        GoalZones::Init();
        ASSERT_TRUE(LoadCharacterGlobals("characterGlobalsDefault.json"));
        log = std::make_shared<EventLog>();
        fb::evt::CharacterEventSubject::Get()->Attach(log);
    }

    void TearDown() override
    {
        DestroyPlayers();
        Input::Shutdown();
        GoalZones::Shutdown();
        EntityManager::Clear();
        pads.clear();
        UnloadLevel();
        UnloadTileset();
        ShutdownBoxColliders();
        window.reset();
        SetTraceSink(mOldSink);
    }

    // Plugs in the pads, starts the input, makes one player per pad (one
    // for none) and stands them on the floor at the given x positions.
    void StartPlayers(int padCount, const std::vector<float>& xs)
    {
        pads = PlugInPads(padCount);
        Input::Init();
        CreatePlayers();
        for (int i = 0; i < GetPlayerCount(); ++i)
            PlacePlayer(i, xs.at(static_cast<std::size_t>(i)), kFloorTop + kHalfBody);
        ActivatePlayers();
        Frames(2);
    }

    // One frame in the match's order: the round, the entities, the input and
    // the camera.
    static void Frame()
    {
        KeepGroundContact();
        Game::UpdateWorld();
    }

    static void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    static Character* Player(int i) { return GetPlayer(i); }
    static std::shared_ptr<fb::Entity> Body(int i) { return GetPlayer(i)->GetEntity(); }
    static glm::vec2 Position(int i) { return Body(i)->GetComponent<fb::cmp::Transform>()->GetPosition(); }
    static glm::vec2 Velocity(int i) { return Body(i)->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity(); }
    static bool FacingLeft(int i) { return Body(i)->GetComponent<Sprite>()->IsFlipped(); }
    static void Teleport(int i, glm::vec2 position, glm::vec2 velocity = {0.0f, 0.0f})
    {
        Body(i)->GetComponent<fb::cmp::Transform>()->SetPosition(position);
        Body(i)->GetComponent<fb::cmp::AdvancedBody>()->SetVelocity(velocity);
    }

    VirtualPad& Pad(int i) { return *pads.at(static_cast<std::size_t>(i)); }

    // Holds A until the jump stops rising, then lets go; the highest point
    // of the body is returned once it is back on something.
    float JumpAndLand(int i, float startY)
    {
        float top = startY;
        Pad(i).Press(SDL_CONTROLLER_BUTTON_A);
        for (int frame = 0; frame < 20; ++frame) {
            Frame();
            top = std::max(top, Position(i).y);
        }
        Pad(i).Release(SDL_CONTROLLER_BUTTON_A);
        for (int frame = 0; frame < 240 && !(Player(i)->IsGrounded() && frame > 2); ++frame) {
            Frame();
            top = std::max(top, Position(i).y);
        }
        return top;
    }

    bool Traced(const std::string& text) const
    {
        for (const std::string& message : traces) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::unique_ptr<GLTestWindow> window;
    std::vector<std::unique_ptr<VirtualPad>> pads;
    std::shared_ptr<EventLog> log;
    std::vector<std::string> traces;

private:
    TraceSink mOldSink;
};
