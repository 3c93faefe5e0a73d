#include "render/sprite_renderer.h"

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>

#include "render/shader.h"
#include "render/texture.h"

unsigned int quadVAO = 0;

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr int kQuadIndexCount = 6;

unsigned int quadVBO = 0;
unsigned int quadEBO = 0;

// Position, colour, texture coordinate. The top edge has v = 0 because images
// are stored top row first and are not flipped on load.
constexpr float kQuadVertices[] = {
    1.0f,  1.0f,  0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f,
    1.0f,  -1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f,
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f,
    -1.0f, 1.0f,  0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f,
};
constexpr unsigned int kQuadIndices[kQuadIndexCount] = {0, 1, 3, 1, 2, 3};
constexpr GLsizei kQuadStride = 8 * sizeof(float);

}  // namespace

void InitRenderData() {
  glGenVertexArrays(1, &quadVAO);
  glGenBuffers(1, &quadVBO);
  glGenBuffers(1, &quadEBO);
  glBindVertexArray(quadVAO);
  glBindBuffer(GL_ARRAY_BUFFER, quadVBO);
  glBufferData(GL_ARRAY_BUFFER, sizeof(kQuadVertices), kQuadVertices, GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quadEBO);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(kQuadIndices), kQuadIndices, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kQuadStride, reinterpret_cast<void*>(0));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, kQuadStride,
                        reinterpret_cast<void*>(3 * sizeof(float)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, kQuadStride,
                        reinterpret_cast<void*>(6 * sizeof(float)));
}

SpriteRenderer::SpriteRenderer(Shader* shader, Texture* texture, unsigned int frameCount,
                               unsigned int startFrame, float frameTime, bool loop, bool paused)
    : SpriteAnimation{frameCount, startFrame, 0.0f, frameTime, loop, paused},
      shader(shader), texture(texture), quadVAO(::quadVAO) {
  glBindVertexArray(0);
}

void SpriteRenderer::DrawSprite(glm::vec2 camera, glm::vec2 position, glm::vec2 size,
                                float rotation) const {
  const glm::mat4 view = glm::lookAt(glm::vec3(camera, 1.0f), glm::vec3(camera, 0.0f),
                                     glm::vec3(0.0f, 1.0f, 0.0f));
  shader->Use();
  shader->SetMatrix4("view", view);

  // Applied right to left: scale, then turn about the sprite's centre, then move.
  glm::mat4 model(1.0f);
  model = glm::translate(model, glm::vec3(position, 0.0f));
  model = glm::rotate(model, rotation * kDegreesToRadians, glm::vec3(0.0f, 0.0f, 1.0f));
  model = glm::scale(model, glm::vec3(size, 1.0f));
  shader->SetMatrix4("model", model);

  texture->BindFrame(*shader, SheetIndex());

  glBindVertexArray(quadVAO);
  glDrawElements(GL_TRIANGLES, kQuadIndexCount, GL_UNSIGNED_INT, nullptr);
  glBindVertexArray(0);
}
