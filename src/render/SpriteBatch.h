#pragma once

#include <GL/glew.h>
#include <vector>

// The quads of the sprite pass. All the quads of a frame go into one vertex
// buffer, filled once; each run of consecutive quads that share a texture is
// then one draw call. Blending applies in the order of the quads, within a
// call as between calls.
class SpriteBatch {
public:
    // What the sprite program needs of one quad.
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
    // One corner of a quad, with what the quad's other corners carry too:
    // the x and y of the transform's three columns.
    struct Vertex {
        float columns[6];
        float texCoord[2];
        float opacity;
        float bloom;
    };

    struct Run {
        GLuint texture;
        GLsizei first;
        GLsizei count;
    };

    void Upload();

    std::vector<Vertex> mVertices;
    std::vector<Run> mRuns;
    GLuint mArray = 0;
    GLuint mVertexBuffer = 0;
    GLuint mElementBuffer = 0;
    std::size_t mVertexCapacity = 0;
    std::size_t mQuadIndexCapacity = 0;
};
