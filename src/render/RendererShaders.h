#pragma once

// The renderer's GLSL sources.
namespace RendererShaders {

// Draws textured quads into the scene framebuffer: the colour, and its
// bright part for the bloom passes. Vertex 4q + i is corner i of quad q's
// unit quad (bottom-left, bottom-right, top-left, top-right) and carries
// the x and y rows of the quad's transform, its own texture coordinates,
// the quad's opacity and whether the quad is forced into the bloom. The
// transform's z row would only give the unused z.
inline constexpr const char* kSpriteVertex = R"(#version 330 core
const vec3 kCorners[4] = vec3[](vec3(-0.5, -0.5, 1.0), vec3(0.5, -0.5, 1.0), vec3(-0.5, 0.5, 1.0), vec3(0.5, 0.5, 1.0));
layout(location = 0) in vec4 columns01;
layout(location = 1) in vec4 column2AndTexcoord;
layout(location = 2) in vec2 look;
out vec2 Texcoord;
flat out float Opacity;
flat out float DoBloom;
void main()
{
    Texcoord = column2AndTexcoord.zw;
    Opacity = look.x;
    DoBloom = look.y;
    mat3 transform = mat3(vec3(columns01.xy, 0.0), vec3(columns01.zw, 0.0), vec3(column2AndTexcoord.xy, 0.0));
    vec3 placed = transform * kCorners[gl_VertexID & 3];
    gl_Position = vec4(placed.xy, 0.0, 1.0);
}
)";

inline constexpr const char* kSpriteFragment = R"(#version 330 core
in vec2 Texcoord;
flat in float Opacity;
flat in float DoBloom;
layout(location = 0) out vec4 FragColor;
layout(location = 1) out vec4 BrightColor;
uniform sampler2D usamp;
void main()
{
    vec4 color = texture(usamp, Texcoord);
    color.a *= Opacity;
    FragColor = color;
    if (DoBloom > 0.5 || dot(color.rgb, vec3(0.6, 0.6, 0.6)) > 1.0)
        BrightColor = color;
    else
        BrightColor = vec4(0.0, 0.0, 0.0, 1.0);
}
)";

// The full-screen quad of the blur and combine passes.
inline constexpr const char* kScreenVertex = R"(#version 330 core
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec2 aTexCoords;
out vec2 TexCoords;
void main()
{
    TexCoords = aTexCoords;
    gl_Position = vec4(aPos, 1.0);
}
)";

// One direction of a nine-tap Gaussian blur.
inline constexpr const char* kBlurFragment = R"(#version 330 core
in vec2 TexCoords;
out vec4 FragColor;
uniform sampler2D image;
uniform bool horizontal;
uniform float weight[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);
void main()
{
    vec2 texel = 1.0 / vec2(textureSize(image, 0));
    vec2 offset = horizontal ? vec2(texel.x, 0.0) : vec2(0.0, texel.y);
    vec3 result = texture(image, TexCoords).rgb * weight[0];
    for (int i = 1; i < 5; ++i) {
        result += texture(image, TexCoords + offset * float(i)).rgb * weight[i];
        result += texture(image, TexCoords - offset * float(i)).rgb * weight[i];
    }
    FragColor = vec4(result, 1.0);
}
)";

// The scene plus its blurred bright part, tone mapped onto the screen.
inline constexpr const char* kCombineFragment = R"(#version 330 core
in vec2 TexCoords;
out vec4 FragColor;
uniform sampler2D scene;
uniform sampler2D bloomBlur;
uniform bool bloom;
uniform float exposure;
void main()
{
    const float gamma = 1.2;
    vec3 color = texture(scene, TexCoords).rgb;
    if (bloom)
        color += texture(bloomBlur, TexCoords).rgb;
    vec3 mapped = vec3(1.0) - exp(-color * exposure);
    FragColor = vec4(pow(mapped, vec3(1.0 / gamma)), 1.0);
}
)";

} // namespace RendererShaders
