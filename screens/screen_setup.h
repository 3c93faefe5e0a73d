#pragma once

#include <glm/glm.hpp>

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

// Still sprites of the menus: no frames, start frame -1, 1/24 s, no loop, not paused.
constexpr float kStillFrameTime = 0.04167f;
constexpr unsigned int kStillStartFrame = static_cast<unsigned int>(-1);
