#include "app/pad.h"

#include <algorithm>
#include <cmath>

namespace input {
namespace {

bool Held(const PadState& pad, int button) { return pad.buttons[button]; }
bool Pulled(const PadState& pad, int axis) { return pad.axes[axis] > kTriggerPull; }

bool AnyFaceButton(const PadState& pad) {
  return Held(pad, PAD_A) || Held(pad, PAD_B) || Held(pad, PAD_X) || Held(pad, PAD_Y);
}

float Length(Stick s) { return std::sqrt(s.x * s.x + s.y * s.y); }

// Menus: whichever stick is pushed further, or the D-pad as a full push.
Stick PointerStick(const PadState& pad) {
  const Stick left = ApplyDeadZone(pad.axes[PAD_LEFT_X], pad.axes[PAD_LEFT_Y]);
  const Stick right = ApplyDeadZone(pad.axes[PAD_RIGHT_X], pad.axes[PAD_RIGHT_Y]);
  Stick s = Length(right) > Length(left) ? right : left;
  const float dx = (Held(pad, PAD_DPAD_RIGHT) ? 1.0f : 0.0f) - (Held(pad, PAD_DPAD_LEFT) ? 1.0f : 0.0f);
  const float dy = (Held(pad, PAD_DPAD_DOWN) ? 1.0f : 0.0f) - (Held(pad, PAD_DPAD_UP) ? 1.0f : 0.0f);
  if (dx != 0.0f || dy != 0.0f) s = {dx, dy};
  return s;
}

void MovePointer(const PadState& pad, const PadView& view, float dt, PadMapped& out) {
  const Stick s = PointerStick(pad);
  if (s.x == 0.0f && s.y == 0.0f) return;
  const double step = kPointerWidthsPerSecond * view.windowWidth * dt;
  out.pointerMoved = true;
  out.pointerX = std::clamp(out.pointerX + s.x * step, 0.0, static_cast<double>(view.windowWidth));
  out.pointerY = std::clamp(out.pointerY + s.y * step, 0.0, static_cast<double>(view.windowHeight));
}

void Aim(const PadState& pad, const PadView& view, PadMapped& out) {
  const Stick s = ApplyDeadZone(pad.axes[PAD_RIGHT_X], pad.axes[PAD_RIGHT_Y]);
  const float length = Length(s);
  if (length == 0.0f) return;
  const double reach = kAimReachOfHeight * view.windowHeight;
  out.pointerMoved = true;
  out.pointerX = view.anchorX + s.x / length * reach;
  out.pointerY = view.anchorY + s.y / length * reach;
}

void MapPlay(const PadState& pad, const PadView& view, PadMapped& out) {
  const float runX = pad.axes[PAD_LEFT_X];
  out.keys[PADKEY_LEFT] = runX <= -kRunPush || Held(pad, PAD_DPAD_LEFT);
  out.keys[PADKEY_RIGHT] = runX >= kRunPush || Held(pad, PAD_DPAD_RIGHT);
  out.keys[PADKEY_JUMP] = Held(pad, PAD_A);
  out.leftButton = Pulled(pad, PAD_RIGHT_TRIGGER);
  out.rightButton = Pulled(pad, PAD_LEFT_TRIGGER);
  Aim(pad, view, out);
}

void MapPointerScreen(const PadState& pad, const PadState& before, const PadView& view, float dt,
                      PadMapped& out) {
  MovePointer(pad, view, dt, out);
  out.leftButton = Held(pad, PAD_A);
  if (view.layout == PadLayout::Buttons) return;
  out.keys[PADKEY_ESCAPE] = out.keys[PADKEY_ESCAPE] || Held(pad, PAD_B);
  if (view.layout != PadLayout::Sandbox) return;
  out.rightButton = Pulled(pad, PAD_LEFT_TRIGGER);
  const bool next = Held(pad, PAD_RIGHT_BUMPER) && !Held(before, PAD_RIGHT_BUMPER);
  const bool previous = Held(pad, PAD_LEFT_BUMPER) && !Held(before, PAD_LEFT_BUMPER);
  out.choiceStep = (next ? 1 : 0) - (previous ? 1 : 0);
}

}  // namespace

Stick ApplyDeadZone(float x, float y) {
  const float length = std::sqrt(x * x + y * y);
  if (length <= kStickDeadZone) return {};
  const float scale = std::min(1.0f, (length - kStickDeadZone) / (1.0f - kStickDeadZone)) / length;
  return {x * scale, y * scale};
}

PadMapped MapPad(const PadState& pad, const PadState& before, const PadView& view, double pointerX, double pointerY,
                 float dt) {
  PadMapped out;
  out.pointerX = pointerX;
  out.pointerY = pointerY;
  out.keys[PADKEY_ESCAPE] = Held(pad, PAD_START);
  switch (view.layout) {
    case PadLayout::Logos: out.keys[PADKEY_JUMP] = AnyFaceButton(pad); break;
    case PadLayout::Controls:
      out.keys[PADKEY_T] = Held(pad, PAD_B);
      out.keys[PADKEY_Y] = Held(pad, PAD_Y);
      break;
    case PadLayout::Play: MapPlay(pad, view, out); break;
    case PadLayout::Buttons:
    case PadLayout::Menu:
    case PadLayout::Sandbox: MapPointerScreen(pad, before, view, dt, out); break;
  }
  return out;
}

}  // namespace input
