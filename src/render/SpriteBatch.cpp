#include "render/SpriteBatch.h"

#include <cstddef>

namespace {

// Attribute locations of the sprite program.
constexpr GLuint kColumns01 = 0;
constexpr GLuint kColumn2AndTexCoord = 1;
constexpr GLuint kLook = 2;

// A quad's four vertices are the unit quad's corners, bottom-left,
// bottom-right, top-left, top-right (the program knows them by the vertex
// number); two triangles of them.
constexpr GLuint kQuadIndices[6] = {0, 1, 2, 1, 3, 2};
constexpr GLsizei kIndicesPerQuad = 6;

} // namespace

void SpriteBatch::Initialize()
{
    glGenVertexArrays(1, &mArray);
    glBindVertexArray(mArray);
    glGenBuffers(1, &mVertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, mVertexBuffer);
    auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
    glVertexAttribPointer(kColumns01, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(offsetof(Vertex, columns)));
    glVertexAttribPointer(kColumn2AndTexCoord, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          at(offsetof(Vertex, columns) + 4 * sizeof(float)));
    glVertexAttribPointer(kLook, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(offsetof(Vertex, opacity)));
    for (GLuint location = kColumns01; location <= kLook; ++location)
        glEnableVertexAttribArray(location);
    glGenBuffers(1, &mElementBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mElementBuffer);
    glBindVertexArray(0);
    mVertexCapacity = 0;
    mQuadIndexCapacity = 0;
}

void SpriteBatch::Shutdown()
{
    const GLuint buffers[] = {mVertexBuffer, mElementBuffer};
    glDeleteBuffers(2, buffers);
    glDeleteVertexArrays(1, &mArray);
    mVertexBuffer = mElementBuffer = mArray = 0;
    mVertexCapacity = 0;
    mQuadIndexCapacity = 0;
}

void SpriteBatch::Clear()
{
    mVertices.clear();
    mRuns.clear();
}

void SpriteBatch::Add(GLuint texture, const Quad& quad)
{
    const GLsizei index = static_cast<GLsizei>(mVertices.size() / 4);
    for (int corner = 0; corner < 4; ++corner) {
        Vertex& vertex = mVertices.emplace_back();
        for (int column = 0; column < 3; ++column) {
            vertex.columns[2 * column] = quad.transform[3 * column];
            vertex.columns[2 * column + 1] = quad.transform[3 * column + 1];
        }
        vertex.texCoord[0] = quad.texCoords[2 * corner];
        vertex.texCoord[1] = quad.texCoords[2 * corner + 1];
        vertex.opacity = quad.opacity;
        vertex.bloom = quad.bloom;
    }
    if (!mRuns.empty() && mRuns.back().texture == texture)
        ++mRuns.back().count;
    else
        mRuns.push_back({texture, index, 1});
}

void SpriteBatch::Upload()
{
    glBindBuffer(GL_ARRAY_BUFFER, mVertexBuffer);
    if (mVertices.size() > mVertexCapacity) {
        mVertexCapacity = mVertices.capacity();
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mVertexCapacity * sizeof(Vertex)), nullptr,
                     GL_STREAM_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(mVertices.size() * sizeof(Vertex)),
                    mVertices.data());

    // The indices only ever grow: quad q uses vertices 4q to 4q + 3.
    const std::size_t quads = mVertices.size() / 4;
    if (quads > mQuadIndexCapacity) {
        mQuadIndexCapacity = mVertexCapacity / 4;
        std::vector<GLuint> indices(mQuadIndexCapacity * kIndicesPerQuad);
        for (std::size_t quad = 0; quad < mQuadIndexCapacity; ++quad) {
            for (std::size_t i = 0; i < kIndicesPerQuad; ++i)
                indices[quad * kIndicesPerQuad + i] = static_cast<GLuint>(4 * quad) + kQuadIndices[i];
        }
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                     indices.data(), GL_STATIC_DRAW);
    }
}

void SpriteBatch::Draw(bool batched)
{
    if (mVertices.empty())
        return;
    glBindVertexArray(mArray);
    Upload();
    GLuint bound = 0;
    for (const Run& run : mRuns) {
        if (run.texture != bound) {
            glBindTexture(GL_TEXTURE_2D, run.texture);
            bound = run.texture;
        }
        const GLsizei step = batched ? run.count : 1;
        for (GLsizei first = run.first; first < run.first + run.count; first += step) {
            const std::size_t offset = static_cast<std::size_t>(first) * kIndicesPerQuad * sizeof(GLuint);
            glDrawElements(GL_TRIANGLES, step * kIndicesPerQuad, GL_UNSIGNED_INT,
                           reinterpret_cast<const void*>(offset));
        }
    }
    glBindVertexArray(0);
}
