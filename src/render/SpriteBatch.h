#pragma once

#include <GL/glew.h>
#include <vector>

// The quads of the sprite pass, drawn as instances of the unit quad. All the
// quads of a frame go into one buffer, filled once; each run of consecutive
// quads that share a texture is then one draw call. Blending applies in the
// order of the quads, within a call as between calls.
class SpriteBatch {
public:
    // What the sprite program reads of one quad.
    struct Quad {
        float transform[9];
        float texCoords[8];
        float opacity;
        float bloom;
    };

    // Makes the buffers; needs an OpenGL context.
    void Initialize();
    void Shutdown();

    void Clear();
    void Add(GLuint texture, const Quad& quad);
    // Draws the quads in order with the sprite program in use. With
    // `batched` false every quad is its own call: the same picture, slower.
    void Draw(bool batched);

private:
    struct Run {
        GLuint texture;
        GLsizei first;
        GLsizei count;
    };

    void Upload();
    void PointAt(GLsizei first);

    std::vector<Quad> mQuads;
    std::vector<Run> mRuns;
    GLuint mArray = 0;
    GLuint mCornerBuffer = 0;
    GLuint mElementBuffer = 0;
    GLuint mQuadBuffer = 0;
    std::size_t mQuadCapacity = 0;
};
