#pragma once

#include "render/ParticleEmitter.h"

// Particles start inside a rectangle of half-sizes sizeX and sizeY and drift
// with a constant wind. It is sized per axis only.
class SquareEmitter : public ParticleEmitter {
public:
    SquareEmitter(const glm::vec2& size, const glm::vec2& wind);

    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    glm::vec2 GetForce(const Particle& particle) override;
    // The half-sizes; the wind stays.
    void ScaleXY(const glm::vec2& factors) override;
    SquareEmitter* Clone() override;

    glm::vec2 GetSize() const { return {mSizeX, mSizeY}; }
    glm::vec2 GetWind() const { return {mWindX, mWindY}; }

private:
    float mSizeX;
    float mSizeY;
    float mWindX;
    float mWindY;
};
