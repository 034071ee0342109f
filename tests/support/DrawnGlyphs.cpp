#include "DrawnGlyphs.h"

DrawnGlyphs::DrawnGlyphs(const ImFont& font)
{
    for (const ImFontGlyph& glyph : font.Glyphs) {
        if (glyph.Visible)
            mByCorner[{glyph.U0, glyph.V0}] = &glyph;
    }
}

const ImFontGlyph* DrawnGlyphs::At(const ImVector<ImDrawVert>& vertices, int i) const
{
    if (i + 2 >= vertices.Size)
        return nullptr;
    const auto found = mByCorner.find({vertices[i].uv.x, vertices[i].uv.y});
    if (found == mByCorner.end())
        return nullptr;
    const ImFontGlyph& glyph = *found->second;
    const ImVec2& second = vertices[i + 1].uv;
    const ImVec2& third = vertices[i + 2].uv;
    return second.x == glyph.U1 && second.y == glyph.V0 && third.x == glyph.U1 && third.y == glyph.V1 ? &glyph
                                                                                                       : nullptr;
}
