#pragma once

#include <GL/glew.h>
#include <string>

// Start-up checks shared by the renderers.

// Loads the OpenGL entry points for the current context. Writes the reason
// to standard output and throws std::runtime_error when GLEW cannot start or
// the context offers less than OpenGL 3.3, which every shader here needs.
void StartGlew(const std::string& who);

// Gives the shader its source and compiles it; false when that failed.
bool CompileShader(GLuint shader, const char* source);
// Links the program; false when that failed.
bool LinkProgram(GLuint program);
// The info log of a shader or a program, at most 1024 characters.
std::string InfoLog(GLuint shaderOrProgram);
// Deletes the program and the shaders attached to it.
void DeleteProgram(GLuint program);
