#include "platform/gfx/opengl/shader_compiler.h"

#include <algorithm>
#include <vector>

#include <epoxy/gl.h>

namespace {

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    return log.data();
}

std::string ProgramLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    return log.data();
}

GLuint Compile(GLenum type, const std::string& source, std::string* error) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) {
        return shader;
    }
    if (error != nullptr) {
        *error = "shader compilation failed: " + ShaderLog(shader);
    }
    glDeleteShader(shader);
    return 0;
}

GLuint Link(GLuint vertex, GLuint fragment, std::string* error) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDetachShader(program, vertex);
    glDetachShader(program, fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) {
        return program;
    }
    if (error != nullptr) {
        *error = "shader linking failed: " + ProgramLog(program);
    }
    glDeleteProgram(program);
    return 0;
}

}  // namespace

std::uint32_t LinkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                          std::string* error) {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource, error);
    const GLuint fragment = vertex != 0 ? Compile(GL_FRAGMENT_SHADER, fragmentSource, error) : 0;
    const GLuint program = fragment != 0 ? Link(vertex, fragment, error) : 0;
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return program;
}
