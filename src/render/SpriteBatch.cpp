#include "render/SpriteBatch.h"

#include <cstddef>

namespace {

// Attribute locations of the sprite program.
constexpr GLuint kPosition = 0;
constexpr GLuint kTransform = 1;
constexpr GLuint kCorners = 4;
constexpr GLuint kLook = 6;

} // namespace

void SpriteBatch::Initialize()
{
    const float corners[] = {-0.5f, -0.5f, 1.0f, 0.5f, -0.5f, 1.0f, -0.5f, 0.5f, 1.0f, 0.5f, 0.5f, 1.0f};
    const GLuint indices[] = {0, 1, 2, 1, 3, 2};
    glGenVertexArrays(1, &mArray);
    glBindVertexArray(mArray);
    glGenBuffers(1, &mCornerBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, mCornerBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(kPosition);
    glGenBuffers(1, &mElementBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mElementBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof indices, indices, GL_STATIC_DRAW);
    glGenBuffers(1, &mQuadBuffer);
    for (GLuint location = kTransform; location <= kLook; ++location) {
        glEnableVertexAttribArray(location);
        glVertexAttribDivisor(location, 1);
    }
    glBindVertexArray(0);
    mQuadCapacity = 0;
}

void SpriteBatch::Shutdown()
{
    const GLuint buffers[] = {mCornerBuffer, mElementBuffer, mQuadBuffer};
    glDeleteBuffers(3, buffers);
    glDeleteVertexArrays(1, &mArray);
    mCornerBuffer = mElementBuffer = mQuadBuffer = mArray = 0;
    mQuadCapacity = 0;
}

void SpriteBatch::Clear()
{
    mQuads.clear();
    mRuns.clear();
}

void SpriteBatch::Add(GLuint texture, const Quad& quad)
{
    const GLsizei index = static_cast<GLsizei>(mQuads.size());
    mQuads.push_back(quad);
    if (!mRuns.empty() && mRuns.back().texture == texture)
        ++mRuns.back().count;
    else
        mRuns.push_back({texture, index, 1});
}

void SpriteBatch::Upload()
{
    glBindBuffer(GL_ARRAY_BUFFER, mQuadBuffer);
    if (mQuads.size() > mQuadCapacity) {
        mQuadCapacity = mQuads.capacity();
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mQuadCapacity * sizeof(Quad)), nullptr,
                     GL_STREAM_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(mQuads.size() * sizeof(Quad)), mQuads.data());
}

void SpriteBatch::PointAt(GLsizei first)
{
    const std::size_t base = static_cast<std::size_t>(first) * sizeof(Quad);
    auto at = [base](std::size_t offset) { return reinterpret_cast<const void*>(base + offset); };
    for (GLuint column = 0; column < 3; ++column)
        glVertexAttribPointer(kTransform + column, 3, GL_FLOAT, GL_FALSE, sizeof(Quad),
                              at(offsetof(Quad, transform) + column * 3 * sizeof(float)));
    glVertexAttribPointer(kCorners, 4, GL_FLOAT, GL_FALSE, sizeof(Quad), at(offsetof(Quad, texCoords)));
    glVertexAttribPointer(kCorners + 1, 4, GL_FLOAT, GL_FALSE, sizeof(Quad),
                          at(offsetof(Quad, texCoords) + 4 * sizeof(float)));
    glVertexAttribPointer(kLook, 2, GL_FLOAT, GL_FALSE, sizeof(Quad), at(offsetof(Quad, opacity)));
}

void SpriteBatch::Draw(bool batched)
{
    if (mQuads.empty())
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
            PointAt(first);
            glDrawElementsInstanced(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr, step);
        }
    }
    glBindVertexArray(0);
}
