#pragma once

#include "render/Sprite.h"

// A sprite that shows one cell of a sheet laid out as a grid of equal
// frames. Frame 0 is the bottom-left cell; frames run left to right, then
// one row up, and the index wraps around the whole grid.
class SpriteAnimated : public Sprite {
public:
    // On layer 2. A sheet size of 0 is taken as 1.
    SpriteAnimated(const std::string& fileName, unsigned columns, unsigned rows, float opacity);

    void Update() override;
    // Queues the current frame; a flipped sheet is mirrored left to right.
    virtual void Animate();

    unsigned GetFrame() const { return mFrame; }
    void SetFrame(unsigned frame);
    void NextFrame();

    // The "SpriteAnimated" creator: "filename", "opacity", "xsize" (columns)
    // and "ysize" (rows); the image is loaded at once.
    static std::shared_ptr<fb::cmp::Component> FromJson(const rapidjson::Value& object);

private:
    float mFrameTexCoords[8] = {};
    unsigned mColumns;
    unsigned mRows;
    unsigned mFrame = 0;
    bool mFrameDirty = true;
    // The flip the coordinates were made for.
    bool mFrameFlipped = false;
};
