#include "render/shader.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include "render/gl_context.h"

namespace {

constexpr int kInfoLogSize = 1024;

std::optional<std::string> ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::stringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return content.str();
}

unsigned int CompileStage(const Shader& shader, GLenum stage, const std::string& source,
                          const char* type) {
  const unsigned int object = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(object, 1, &text, nullptr);
  glCompileShader(object);
  shader.CheckCompileErrors(object, type);
  return object;
}

// Stands in for a program that failed to link: every call on a linked program
// is valid, so a broken shader raises no GL error, and this one draws nothing.
unsigned int DrawNothingProgram(const Shader& shader) {
  const unsigned int program = glCreateProgram();
  const unsigned int vertex = CompileStage(shader, GL_VERTEX_SHADER,
                                           "#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n",
                                           "VERTEX");
  const unsigned int fragment = CompileStage(shader, GL_FRAGMENT_SHADER,
                                             "#version 330 core\nvoid main() { discard; }\n", "FRAGMENT");
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  return program;
}

struct RequiredUniform {
  const char* name;
  GLenum type;
  const char* typeName;  // as GLSL spells it, for the report
};
constexpr RequiredUniform kMat4(const char* name) { return {name, GL_FLOAT_MAT4, "mat4"}; }
constexpr RequiredUniform kVec2(const char* name) { return {name, GL_FLOAT_VEC2, "vec2"}; }

// What the game sets on each kind of program, known by its vertex file's name.
// A linked program drops uniforms it never reads, so an unused one is missing too.
struct ProgramKind {
  const char* vertexFile;
  std::vector<RequiredUniform> uniforms;
};
const ProgramKind kProgramKinds[] = {
    {"shader_sprite.vs",
     {kMat4("projection"), kMat4("view"), kMat4("model"), kVec2("uv_off_scale"), kVec2("uv_off_translate")}},
    {"shader_texture.vs", {kMat4("model")}},  // whole-window pictures: the rest plays no part
    {"shader_font.vs", {kMat4("projection"), {"textColor", GL_FLOAT_VEC3, "vec3"}}},
};

// The uniforms the program's kind needs that it does not have as active
// uniforms of their type, as "mat4 projection, vec3 textColor"; empty when none.
std::string MissingUniforms(unsigned int program, const char* vertexPath) {
  const std::string file = std::filesystem::path(vertexPath ? vertexPath : "").filename().string();
  std::string missing;
  for (const ProgramKind& kind : kProgramKinds) {
    if (file != kind.vertexFile) continue;
    for (const RequiredUniform& uniform : kind.uniforms) {
      GLuint index = GL_INVALID_INDEX;
      glGetUniformIndices(program, 1, &uniform.name, &index);
      GLint type = 0;
      if (index != GL_INVALID_INDEX) glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_TYPE, &type);
      if (static_cast<GLenum>(type) == uniform.type) continue;
      missing += (missing.empty() ? "" : ", ") + std::string(uniform.typeName) + " " + uniform.name;
    }
  }
  return missing;
}

}  // namespace

Shader::Shader(const char* vertexPath, const char* fragmentPath, const char* geometryPath) {
  std::string sources[3];
  const char* paths[3] = {vertexPath, fragmentPath, geometryPath};
  const int stageCount = geometryPath ? 3 : 2;
  std::string unreadable;
  for (int i = 0; i < stageCount; ++i) {
    std::optional<std::string> text = paths[i] ? ReadFile(paths[i]) : std::nullopt;
    if (text)
      sources[i] = std::move(*text);
    else
      unreadable += std::string("  ") + (paths[i] ? paths[i] : "(null path)") + "\n";
  }
  if (!unreadable.empty())
    std::cout << "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ" << std::endl << unreadable << std::flush;

  const unsigned int vertex = CompileStage(*this, GL_VERTEX_SHADER, sources[0], "VERTEX");
  const unsigned int fragment = CompileStage(*this, GL_FRAGMENT_SHADER, sources[1], "FRAGMENT");
  const unsigned int geometry =
      geometryPath ? CompileStage(*this, GL_GEOMETRY_SHADER, sources[2], "GEOMETRY") : 0;

  ID = glCreateProgram();
  glAttachShader(ID, vertex);
  glAttachShader(ID, fragment);
  if (geometry) glAttachShader(ID, geometry);
  glLinkProgram(ID);
  CheckCompileErrors(ID, "PROGRAM");
  GLint linked = 0;
  glGetProgramiv(ID, GL_LINK_STATUS, &linked);
  const std::string missing = linked ? MissingUniforms(ID, vertexPath) : "";
  if (!linked || !missing.empty()) {
    std::cout << "Shader program of";
    for (int i = 0; i < stageCount; ++i) std::cout << " " << (paths[i] ? paths[i] : "(null path)");
    std::cout << (linked ? " lacks uniform " + missing : std::string(" did not link")) << "; it draws nothing"
              << std::endl;
    glDeleteProgram(ID);
    ID = DrawNothingProgram(*this);
  }

  glDeleteShader(vertex);
  glDeleteShader(fragment);
  if (geometry) glDeleteShader(geometry);
}

Shader::~Shader() {
  if (ID != 0 && GlContextIsCurrent()) glDeleteProgram(ID);
}

Shader::Shader(Shader&& other) noexcept : ID(std::exchange(other.ID, 0)) {}

Shader& Shader::operator=(Shader&& other) noexcept {
  std::swap(ID, other.ID);
  return *this;
}

void Shader::Use() const { glUseProgram(ID); }

void Shader::SetInteger(const char* name, int value) const {
  glUniform1i(glGetUniformLocation(ID, name), value);
}

void Shader::SetMatrix4(const char* name, const glm::mat4& matrix) const {
  glUniformMatrix4fv(glGetUniformLocation(ID, name), 1, GL_FALSE, glm::value_ptr(matrix));
}

void Shader::SetVector2f(const char* name, const glm::vec2& value) const {
  glUniform2fv(glGetUniformLocation(ID, name), 1, glm::value_ptr(value));
}

void Shader::CheckCompileErrors(unsigned int object, const std::string& type) const {
  GLint success = 0;
  char infoLog[kInfoLogSize] = {};
  if (type == "PROGRAM") {
    glGetProgramiv(object, GL_LINK_STATUS, &success);
    if (success) return;
    glGetProgramInfoLog(object, kInfoLogSize, nullptr, infoLog);
    std::cout << "ERROR::PROGRAM_LINKING_ERROR of type: ";
  } else {
    glGetShaderiv(object, GL_COMPILE_STATUS, &success);
    if (success) return;
    glGetShaderInfoLog(object, kInfoLogSize, nullptr, infoLog);
    std::cout << "ERROR::SHADER_COMPILATION_ERROR of type: ";
  }
  std::cout << type << "\n"
            << infoLog << "\n -- --------------------------------------------------- -- "
            << std::endl;
}
