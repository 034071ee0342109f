#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

// Where the pictures of the screen on show lie in the window, read from the
// quads the frame queued for the renderer, and what their own alpha makes
// of them: the part of a picture that is drawn (alpha at least one half),
// and for a frame the edge between its drawn and its clear part.
namespace screen_layout {

// A rectangle in window pixels from the top left.
struct Box {
    float left, top, right, bottom;
};

// "[left, top .. right, bottom]", for failure messages.
std::string Describe(const Box& box);

// A picture as drawn: its file, its place in the drawing order and the
// window rectangle it is stretched to.
struct Placed {
    std::string image;
    int order;
    Box at;
};

// The pictures of the last frame: as pieces every visible button, label,
// card, intro slide and (in a match, on the screen-fixed layer) HUD piece,
// not the pointer, the pause veil, the title picture or the world; as
// frames the menus' backdrop (full-screen or the intro's own copy), the
// how-to-play pages and the question cards.
struct Screen {
    std::vector<Placed> pieces;
    std::vector<Placed> frames;
};

// `inMatch`: only the screen-fixed layer holds pieces.
Screen CurrentScreen(int width, int height, bool inMatch);

// The window rectangle of what the picture draws (alpha >= 1/2) when it is
// stretched to `at`; an empty box when nothing is drawn.
Box DrawnPart(const Placed& placed);

// Whether the frame's edge between drawn and clear (alpha 1/2) runs
// through the box: the box holds frame pixels of both kinds.
bool CrossesEdge(const Placed& frame, const Box& box);

// The faults of the screen, one line each: pieces leaving the window or
// crossing a frame's edge.
std::vector<std::string> Faults(const Screen& screen, int width, int height);

} // namespace screen_layout
