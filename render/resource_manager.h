#pragma once

#include <map>
#include <memory>
#include <string>

#include "render/shader.h"
#include "render/texture.h"

// A screen's named shader programs and textures. A name, once loaded, keeps its
// first object for good: loading it again does no file or OpenGL work. Needs no
// OpenGL context until something is loaded.
class ResourceManager {
 public:
  std::map<std::string, std::unique_ptr<Shader>> shaders;
  std::map<std::string, std::unique_ptr<Texture>> textures;

  // A failed read or compile still registers the program under the name.
  void LoadShader(const std::string& name, const char* vShaderFile, const char* fShaderFile,
                  const char* gShaderFile = nullptr);
  // A failed image still registers a 0 x 0 texture under the name.
  void LoadTexture(const std::string& name, const char* file, unsigned int frames,
                   unsigned int width = 0, unsigned int height = 0);

  // A name never loaded into this manager throws std::out_of_range.
  Shader* GetShader(const std::string& name) const;
  Texture* GetTexture(const std::string& name) const;

  // Releases every entry; the OpenGL objects too while a context is current.
  void Clear();
};
