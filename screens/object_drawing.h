#pragma once

#include "game/game_object.h"

class SpriteRenderer;

// Draws a game object's sprite through one shared renderer: game objects hold
// their look as data, the renderer takes it for the one draw.
void DrawObject(SpriteRenderer& renderer, const game::Camera& camera, const game::GameObject& object);
// The view offset objects and the grid are drawn with: position plus shake.
glm::vec2 CameraView(const game::Camera& camera);
