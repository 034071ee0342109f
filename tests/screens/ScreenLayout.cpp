#include "ScreenLayout.h"

#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <SOIL/SOIL.h>
#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <sstream>

namespace screen_layout {
namespace {

constexpr int kScreenLayer = 5;
// A frame's edge counts inside a box only this many pixels in from its
// sides, so that the soft rim of a drawn part does not count.
constexpr float kInset = 2.0f;

struct Alpha {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> values;
    bool Drawn(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height &&
               values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] >=
                   128;
    }
};

const Alpha& AlphaOf(const std::string& image)
{
    static std::map<std::string, Alpha> cache;
    auto found = cache.find(image);
    if (found != cache.end())
        return found->second;
    Alpha alpha;
    int channels = 0;
    if (unsigned char* rgba = SOIL_load_image(image.c_str(), &alpha.width, &alpha.height, &channels, SOIL_LOAD_RGBA)) {
        alpha.values.resize(static_cast<std::size_t>(alpha.width) * static_cast<std::size_t>(alpha.height));
        for (std::size_t i = 0; i < alpha.values.size(); ++i)
            alpha.values[i] = rgba[i * 4 + 3];
        SOIL_free_image_data(rgba);
    }
    return cache.emplace(image, std::move(alpha)).first->second;
}

bool Named(const std::string& image, std::initializer_list<const char*> names)
{
    const std::string file = std::filesystem::path(image).filename().string();
    return std::any_of(names.begin(), names.end(),
                       [&file](const char* name) { return file.find(name) != std::string::npos; });
}

// The window rectangle of a quad with this unit-quad-to-NDC matrix.
Box WindowBox(const glm::mat3& transform, int width, int height)
{
    const glm::vec3 a = transform * glm::vec3(-0.5f, -0.5f, 1.0f);
    const glm::vec3 b = transform * glm::vec3(0.5f, 0.5f, 1.0f);
    const auto x = [width](float ndc) { return (ndc + 1.0f) * 0.5f * static_cast<float>(width); };
    const auto y = [height](float ndc) { return (1.0f - ndc) * 0.5f * static_cast<float>(height); };
    return {std::min(x(a.x), x(b.x)), std::min(y(a.y), y(b.y)), std::max(x(a.x), x(b.x)), std::max(y(a.y), y(b.y))};
}

std::string Describe(const Placed& placed)
{
    return placed.image;
}

} // namespace

std::string Describe(const Box& box)
{
    std::ostringstream text;
    text << "[" << box.left << ", " << box.top << " .. " << box.right << ", " << box.bottom << "]";
    return text.str();
}

Screen CurrentScreen(int width, int height, bool inMatch)
{
    Screen screen;
    int order = 0;
    for (const Renderer::QueuedQuad& quad : Renderer::GetQueuedQuads()) {
        ++order;
        const std::string image = TextureManager::NameOf(quad.texture);
        if (image.empty() || quad.opacity == 0.0f)
            continue;
        const Placed placed{image, order, WindowBox(quad.transform, width, height)};
        const bool card = Named(image, {"_confirmation.png"});
        if (Named(image, {"Background.png", "htp_"}) || card)
            screen.frames.push_back(placed);
        if (Named(image, {"Background.png", "htp_", "cursor.png", "blackBox.png", "MainMenu.png"}))
            continue;
        if (quad.layer == kScreenLayer || (!inMatch && image.find("/img/") != std::string::npos &&
                                            std::filesystem::path(image).parent_path().filename() == "img"))
            screen.pieces.push_back(placed);
    }
    return screen;
}

Box DrawnPart(const Placed& placed)
{
    const Alpha& alpha = AlphaOf(placed.image);
    int left = alpha.width, top = alpha.height, right = -1, bottom = -1;
    for (int y = 0; y < alpha.height; ++y) {
        for (int x = 0; x < alpha.width; ++x) {
            if (!alpha.Drawn(x, y))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    const float sx = (placed.at.right - placed.at.left) / static_cast<float>(alpha.width);
    const float sy = (placed.at.bottom - placed.at.top) / static_cast<float>(alpha.height);
    return {placed.at.left + static_cast<float>(left) * sx, placed.at.top + static_cast<float>(top) * sy,
            placed.at.left + static_cast<float>(right + 1) * sx, placed.at.top + static_cast<float>(bottom + 1) * sy};
}

bool CrossesEdge(const Placed& frame, const Box& box)
{
    const Alpha& alpha = AlphaOf(frame.image);
    const float width = frame.at.right - frame.at.left;
    const float height = frame.at.bottom - frame.at.top;
    if (alpha.width == 0 || width <= 0.0f || height <= 0.0f)
        return false;
    bool drawn = false;
    bool clear = false;
    for (float y = box.top + kInset; y <= box.bottom - kInset; y += 1.0f) {
        for (float x = box.left + kInset; x <= box.right - kInset; x += 1.0f) {
            const int px = static_cast<int>((x - frame.at.left) / width * static_cast<float>(alpha.width));
            const int py = static_cast<int>((y - frame.at.top) / height * static_cast<float>(alpha.height));
            (alpha.Drawn(px, py) ? drawn : clear) = true;
            if (drawn && clear)
                return true;
        }
    }
    return false;
}

std::vector<std::string> Faults(const Screen& screen, int width, int height)
{
    std::vector<std::string> faults;
    for (const Placed& piece : screen.pieces) {
        const Box drawn = DrawnPart(piece);
        if (drawn.left < 0.0f || drawn.top < 0.0f || drawn.right > float(width) || drawn.bottom > float(height))
            faults.push_back(Describe(piece) + " leaves the window: " + Describe(drawn));
        for (const Placed& frame : screen.frames) {
            if (frame.order != piece.order && CrossesEdge(frame, drawn))
                faults.push_back(Describe(piece) + " " + Describe(drawn) + " crosses the edge of " + Describe(frame));
        }
    }
    return faults;
}

} // namespace screen_layout
