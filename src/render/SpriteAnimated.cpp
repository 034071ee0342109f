#include "render/SpriteAnimated.h"

#include "core/ComponentFactory.h"
#include "core/Trace.h"
#include "render/Renderer.h"
#include "render/SpriteJson.h"
#include "render/TextureManager.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

ComponentFactory::Registration gRegistration("SpriteAnimated", SpriteAnimated::FromJson);

unsigned AtLeastOne(unsigned size, const char* what)
{
    if (size > 0)
        return size;
    Trace(std::string("SpriteAnimated with 0 ") + what + "; using 1", 3);
    return 1;
}

} // namespace

SpriteAnimated::SpriteAnimated(const std::string& fileName, unsigned columns, unsigned rows, float opacity)
    : Sprite(fileName, opacity, 2)
    , mColumns(AtLeastOne(columns, "columns"))
    , mRows(AtLeastOne(rows, "rows"))
{
}

void SpriteAnimated::Update()
{
    Animate();
}

void SpriteAnimated::Animate()
{
    if (mFrameDirty || mFrameFlipped != mFlipped) {
        const unsigned column = mFrame % mColumns;
        const unsigned row = mFrame / mColumns;
        const float r = static_cast<float>(mRows - row % mRows);
        const float columns = static_cast<float>(mColumns);
        const float rows = static_cast<float>(mRows);
        float left = static_cast<float>(column) / columns;
        float right = static_cast<float>(column + 1) / columns;
        if (mFlipped)
            std::swap(left, right);
        const float bottom = r / rows;
        const float top = (r - 1.0f) / rows;
        const float corners[8] = {left, bottom, right, bottom, left, top, right, top};
        std::copy(std::begin(corners), std::end(corners), mFrameTexCoords);
        mFrameDirty = false;
        mFrameFlipped = mFlipped;
    }
    Renderer::SetTexCoords(mFrameTexCoords);
    Sprite::Draw();
    Renderer::SetFlipped(false);
}

void SpriteAnimated::SetFrame(unsigned frame)
{
    mFrame = frame;
    mFrameDirty = true;
}

void SpriteAnimated::NextFrame()
{
    ++mFrame;
    mFrameDirty = true;
}

std::shared_ptr<fb::cmp::Component> SpriteAnimated::FromJson(const rapidjson::Value& object)
{
    const Texture texture = TextureManager::Load(SpriteJson::FileName(object, "SpriteAnimated"));
    return std::make_shared<SpriteAnimated>(texture.name, SpriteJson::SheetSize(object, "xsize", "SpriteAnimated"),
                                            SpriteJson::SheetSize(object, "ysize", "SpriteAnimated"),
                                            SpriteJson::Opacity(object, "SpriteAnimated"));
}
