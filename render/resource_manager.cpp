#include "render/resource_manager.h"

void ResourceManager::LoadShader(const std::string& name, const char* vShaderFile,
                                 const char* fShaderFile, const char* gShaderFile) {
  if (shaders.contains(name)) return;
  shaders.emplace(name, std::make_unique<Shader>(vShaderFile, fShaderFile, gShaderFile));
}

void ResourceManager::LoadTexture(const std::string& name, const char* file, unsigned int frames,
                                  unsigned int width, unsigned int height) {
  if (textures.contains(name)) return;
  auto texture = std::make_unique<Texture>(frames, width, height);
  texture->LoadFromFile(file);
  textures.emplace(name, std::move(texture));
}

Shader* ResourceManager::GetShader(const std::string& name) const { return shaders.at(name).get(); }

Texture* ResourceManager::GetTexture(const std::string& name) const {
  return textures.at(name).get();
}

void ResourceManager::Clear() {
  shaders.clear();
  textures.clear();
}
