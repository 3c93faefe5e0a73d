#pragma once

#include <string>

#include <glm/glm.hpp>

// One linked OpenGL program built from GLSL files. Read, compile and link
// failures, and a sprite, texture or font program without an active uniform
// the game sets on it, are printed to standard output, naming the file, and a
// program that draws nothing takes the failed one's place, so a broken shader
// neither stops the game nor raises GL errors nor draws askew.
class Shader {
 public:
  unsigned int ID = 0;

  // geometryPath may be null (no geometry stage).
  Shader(const char* vertexPath, const char* fragmentPath, const char* geometryPath = nullptr);
  ~Shader();
  Shader(const Shader&) = delete;
  Shader& operator=(const Shader&) = delete;
  Shader(Shader&& other) noexcept;
  Shader& operator=(Shader&& other) noexcept;

  // The setters do not make the program current: call Use() first.
  void Use() const;
  void SetInteger(const char* name, int value) const;
  void SetMatrix4(const char* name, const glm::mat4& matrix) const;
  void SetVector2f(const char* name, const glm::vec2& value) const;

  // type is "VERTEX", "FRAGMENT", "GEOMETRY" or "PROGRAM".
  void CheckCompileErrors(unsigned int object, const std::string& type) const;
};
