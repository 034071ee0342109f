#include "render/GLSupport.h"

#include <iostream>
#include <stdexcept>

void StartGlew(const std::string& who)
{
    const GLenum result = glewInit();
    if (result != GLEW_OK) {
        const std::string reason = reinterpret_cast<const char*>(glewGetErrorString(result));
        std::cout << who << ": could not start GLEW: " << reason << std::endl;
        throw std::runtime_error(who + " could not start GLEW: " + reason);
    }
    if (!GLEW_VERSION_3_3) {
        const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        const std::string found = version ? version : "unknown";
        std::cout << who << ": needs OpenGL version 3.3 or better, the context has " << found << std::endl;
        throw std::runtime_error(who + " needs OpenGL 3.3 or better; the context has " + found);
    }
}

bool CompileShader(GLuint shader, const char* source)
{
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    return status == GL_TRUE;
}

bool LinkProgram(GLuint program)
{
    glLinkProgram(program);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

std::string InfoLog(GLuint shaderOrProgram)
{
    GLchar log[1024] = {};
    GLsizei length = 0;
    if (glIsProgram(shaderOrProgram))
        glGetProgramInfoLog(shaderOrProgram, sizeof log, &length, log);
    else
        glGetShaderInfoLog(shaderOrProgram, sizeof log, &length, log);
    return std::string(log, static_cast<std::size_t>(length));
}

void DeleteProgram(GLuint program)
{
    GLuint shaders[2] = {};
    GLsizei count = 0;
    glGetAttachedShaders(program, 2, &count, shaders);
    for (GLsizei i = 0; i < count; ++i)
        glDeleteShader(shaders[i]);
    glDeleteProgram(program);
}
