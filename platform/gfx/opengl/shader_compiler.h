#pragma once

// Compiling and linking GLSL programs in the current context, with the
// compiler's log as the error.

#include <cstdint>
#include <string>

// The linked program of a vertex and a fragment shader source (complete
// texts, #version line first); 0, with the compiler's or linker's log in
// error (may be null), when either fails. Leaves no shader objects behind.
std::uint32_t LinkProgram(const std::string& vertexSource, const std::string& fragmentSource,
                          std::string* error);
