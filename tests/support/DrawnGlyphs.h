#pragma once

#include <imgui.h>
#include <map>
#include <utility>

// Finds the letters in Dear ImGui's draw lists: each visible letter is a
// quad whose first three corners carry its glyph's texture corners
// (U0, V0), (U1, V0), (U1, V1). Spaces draw nothing and so are not found.
class DrawnGlyphs {
public:
    explicit DrawnGlyphs(const ImFont& font);
    // The glyph whose quad starts at vertex i, or null.
    const ImFontGlyph* At(const ImVector<ImDrawVert>& vertices, int i) const;

private:
    std::map<std::pair<float, float>, const ImFontGlyph*> mByCorner;
};
