#pragma once

#include <optional>
#include <span>

#include <glm/glm.hpp>

#include "app/pad.h"
#include "render/sprite_renderer.h"

class GameInstance;
class Shader;
struct GLFWwindow;

// What every screen's Load does first: window-pixel projection, the "FontShader"
// as the text renderer's program, alpha blending.
glm::ivec2 WindowSize(GLFWwindow* window);
glm::mat4 WindowProjection(GLFWwindow* window);
void LoadFontShader(GameInstance& screen, const glm::mat4& projection);
// Loads a program under `name` (once per run) and gives it the projection.
Shader* LoadProjectedShader(GameInstance& screen, const char* name, const char* vertexPath,
                            const char* fragmentPath, const glm::mat4& projection);
void EnableAlphaBlending();
// Tells the input layer what the pad controls on this screen, in this window;
// `anchor` is the player's place on screen where the right stick aims from.
void SetPadLayout(GLFWwindow* window, input::PadLayout layout, glm::dvec2 anchor = glm::dvec2(0.0));

// Still sprites of the menus: no frames, start frame -1, 1/24 s, no loop, not paused.
constexpr float kStillFrameTime = 0.04167f;
constexpr unsigned int kStillStartFrame = static_cast<unsigned int>(-1);

class Button;

// A picture a screen loads: resource name, file, sprite-sheet frames (0: still).
struct Picture {
  const char* name;
  const char* path;
  unsigned frames;
};

// A menu button placed relative to the window centre.
struct ButtonLayout {
  const char* texture;
  float x, y;                   // fractions of the window, from its centre
  float halfWidth, halfHeight;  // pixels at 1920 x 1080
};

// A still picture of one of the screen's textures.
SpriteRenderer StillPicture(GameInstance& screen, Shader* shader, const char* texture);
// Makes each layout's sprite and places its button for a W x H window.
void LayOutButtons(GameInstance& screen, Shader* shader, std::span<const ButtonLayout> layouts, int W, int H,
                   std::span<std::optional<SpriteRenderer>> sprites, std::span<Button> buttons);
// The backdrop fills the window in full screen; in a window it is drawn 1.8
// times the window's size from its bottom-left corner, so its lower-left part shows.
void DrawBackdrop(const SpriteRenderer& backdrop, bool fullScreen, float w, float h);
