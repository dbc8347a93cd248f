// Key-press effects of the keyboard's light modes: glow while held, ripples, flashes.
#include <algorithm>

#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"

namespace velmora::devices {
namespace {

constexpr int kGlowRise = 15;
constexpr int kGlowFall = 5;
constexpr uint32_t kNewKeyColourStep = 24;
constexpr uint32_t kRippleColourStep = 7;
constexpr uint32_t kWaveColourStep = 7;
constexpr uint8_t kFullFade = 255;
constexpr int kRippleFadeMode = 8;
constexpr int kKeyFlashFadeMode = 9;

bool ValidPosition(size_t position) { return position < kKeyboardPositionCount; }

uint8_t RowBit(size_t row) { return static_cast<uint8_t>(1u << row); }

void SetHeld(KeyboardEffectBuffers& buffers, size_t position, int kind) {
  if (kind == kKeyPressed) buffers.pressed[position] = true;
  if (kind == kKeyReleased) buffers.pressed[position] = false;
}

}  // namespace

void StepPressGlow(const KeyboardLightContext& ctx) {
  ForEachGridKey([&](size_t position, size_t, size_t) {
    uint8_t& fade = ctx.buffers.fade[position];
    fade = ctx.buffers.pressed[position] ? static_cast<uint8_t>(std::min(fade + kGlowRise, 255))
                                         : static_cast<uint8_t>(std::max(fade - kGlowFall, 0));
  });
  PaintFadedKeys(ctx);
}

void HandlePressGlowKey(KeyboardEffectBuffers& buffers, size_t position, int kind) {
  GridCell cell;
  if (!ValidPosition(position) || !FindGridCell(position, cell)) return;
  SetHeld(buffers, position, kind);
  buffers.colourIndex[position] = RainbowIndexOfColumn(cell.column);
}

void HandleNewColourKey(KeyboardEffectBuffers& buffers, size_t position, int kind) {
  if (!ValidPosition(position)) return;
  if (kind == kKeyPressed && !buffers.pressed[position]) {
    buffers.colourIndex[position] = buffers.pressColour;
    buffers.pressColour = WheelIndexAfter(buffers.pressColour, kNewKeyColourStep);
  }
  SetHeld(buffers, position, kind);
}

void LightWaveCells(const KeyboardLightContext& ctx, bool assignColour) {
  bool lit = false;
  for (size_t column = 0; column < kGridColumns; ++column) {
    const uint8_t rows = ctx.buffers.wave.Covered(column);
    for (size_t row = 0; row < kGridRows; ++row) {
      const uint8_t position = GridKeyAt(row, column);
      if (!(rows & RowBit(row)) || position == kNoKeyPosition) continue;
      ctx.buffers.fade[position] = kFullFade;
      if (assignColour) ctx.buffers.colourIndex[position] = ctx.buffers.waveColour;
      lit = true;
    }
  }
  if (lit) ctx.buffers.waveColour = WheelIndexAfter(ctx.buffers.waveColour, kWaveColourStep);
}

void StepRipple(const KeyboardLightContext& ctx) {
  FadeAllKeys(ctx, kRippleFadeMode);
  LightWaveCells(ctx, ctx.settings.multiColour != 0);
  for (uint8_t& index : ctx.buffers.colourIndex) index = WheelIndexAfter(index, kRippleColourStep);
  PaintFadedKeys(ctx);
  ctx.buffers.wave.Move();
}

void HandleRippleKey(KeyboardEffectBuffers& buffers, size_t position, int kind) {
  GridCell cell;
  if (kind != kKeyPressed || !FindGridCell(position, cell)) return;
  buffers.wave.Seed(cell.column, RowBit(cell.row));
}

void StepKeyFlash(const KeyboardLightContext& ctx) {
  FadeAllKeys(ctx, kKeyFlashFadeMode);
  LightWaveCells(ctx, false);
  ctx.buffers.wave.Clear();
  ForEachGridKey([&](size_t position, size_t, size_t column) {
    const Rgb colour = ctx.settings.multiColour ? ColourWheelAt(RainbowIndexOfColumn(column))
                                                : UserColour(ctx.settings);
    PaintKey(ctx, position, colour,
             FadedBrightness(ctx.buffers.fade[position], ctx.settings.brightness));
  });
}

void HandleKeyFlashKey(KeyboardEffectBuffers& buffers, size_t position, int kind) {
  GridCell cell;
  if (kind != kKeyPressed || !FindGridCell(position, cell)) return;
  const uint8_t row = RowBit(cell.row);
  const auto rowsAround = static_cast<uint8_t>(row | row << 1 | row >> 1);
  buffers.wave.Seed(cell.column, rowsAround);
  if (cell.column > 0) buffers.wave.Seed(cell.column - 1u, row);
  buffers.wave.Seed(cell.column + 1u, row);
}

}  // namespace velmora::devices
