#include "DrawingFixture.h"

#include "core/Entity.h"
#include "render/BasicEmitter.h"
#include "render/ParticleSystem.h"

namespace {

const int kFull = ToneMapped(1.0f);

// Particles drawn on the default camera fitted to 160 by 120 pixels: 60
// pixels a world unit, the origin at the centre.
class ParticleDrawTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        Renderer::SetBloomDisabled(true);
    }

    // One still particle of the red image, born at the origin with a life
    // of 1 s, seen after `age` seconds.
    void DrawOneParticle(float scale, bool fading, bool shrinking, float age)
    {
        auto entity = std::make_shared<fb::Entity>("effect");
        auto system = std::make_shared<ParticleSystem>(Texture("tests/data/render/red.png"), 1, scale, 1.0f, 0.0f,
                                                       0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, fading, shrinking);
        entity->AddComponent<ParticleSystem>(system);
        entity->AddComponent<ParticleEmitter>(std::make_shared<BasicEmitter>(0.0f, 0.0f, 0.0f));
        Renderer::BeginFrame();
        system->UpdateParticles(age);
        Renderer::Present();
    }
};

TEST_F(ParticleDrawTest, AFadingParticleShowsItsRemainingLifeAsOpacity)
{
    DrawOneParticle(0.5f, true, false, 0.5f);
    EXPECT_TRUE(Near(At(80, 60), ToneMapped(0.5f), 0, 0));
    EXPECT_TRUE(Near(At(80 + 12, 60), ToneMapped(0.5f), 0, 0)) << "full size: 30 pixels wide";
    EXPECT_TRUE(Near(At(80 + 20, 60), 0, 0, 0));
}

TEST_F(ParticleDrawTest, AShrinkingParticleShowsItsRemainingLifeAsSize)
{
    DrawOneParticle(1.0f, false, true, 0.5f);
    EXPECT_TRUE(Near(At(80 + 12, 60), kFull, 0, 0)) << "half of 60 pixels wide, at full opacity";
    EXPECT_TRUE(Near(At(80 + 20, 60), 0, 0, 0));
}

} // namespace
