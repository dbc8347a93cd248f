// Wave-grid patterns of the keyboard's light modes: centre waves, random ripples, edge waves.
// Each sends one set of waves at a time and starts the next once the grid has run empty.
#include "devices/keyboard_light_paint.h"
#include "devices/keyboard_light_steps.h"

namespace velmora::devices {
namespace {

constexpr size_t kCentreColumn = kGridColumns / 2;
constexpr int kCentreWavesFadeMode = 13;
constexpr int kRandomRipplesFadeMode = 14;
constexpr int kEdgeWavesFadeMode = 16;

void SeedEdges(WaveGrid& wave) {
  wave.SeedMovingRight(0, WaveGrid::kAllRows);
  wave.SeedMovingLeft(kGridColumns - 1, WaveGrid::kAllRows);
}

}  // namespace

void StartCentreWaves(KeyboardEffectBuffers& buffers) {
  buffers.wave.Clear();
  buffers.wave.Seed(kCentreColumn, WaveGrid::kAllRows);
  buffers.stepCount = 0;
}

void StepCentreWaves(const KeyboardLightContext& ctx) {
  FadeAllKeys(ctx, kCentreWavesFadeMode);
  if (ctx.buffers.wave.Empty()) ctx.buffers.wave.Seed(kCentreColumn, WaveGrid::kAllRows);
  LightWaveCells(ctx, ctx.settings.multiColour != 0);
  PaintFadedKeys(ctx);
  if (++ctx.buffers.stepCount % 2 == 0) ctx.buffers.wave.Move();
}

void StepRandomRipples(const KeyboardLightContext& ctx) {
  if (ctx.buffers.wave.Empty()) {
    GridCell cell;
    const uint8_t position = kRainKeys[ctx.random.Below(kRainKeyCount)];
    if (FindGridCell(position, cell)) {
      ctx.buffers.wave.Seed(cell.column, static_cast<uint8_t>(1u << cell.row));
    }
    ctx.buffers.rippleColour = static_cast<uint8_t>(ctx.random.Below(kColourWheelSize));
  }
  FadeAllKeys(ctx, kRandomRipplesFadeMode);
  ctx.buffers.waveColour = ctx.buffers.rippleColour;
  LightWaveCells(ctx, true);
  ForEachGridKey([&](size_t position, size_t, size_t) {
    PaintKey(ctx, position, ColourWheelAt(ctx.buffers.colourIndex[position]),
             FadedBrightness(ctx.buffers.fade[position], ctx.settings.brightness));
  });
  ctx.buffers.wave.Move();
}

void StartEdgeWaves(KeyboardEffectBuffers& buffers) {
  buffers.wave.Clear();
  SeedEdges(buffers.wave);
}

void StepEdgeWaves(const KeyboardLightContext& ctx) {
  FadeAllKeys(ctx, kEdgeWavesFadeMode);
  if (ctx.buffers.wave.Empty()) SeedEdges(ctx.buffers.wave);
  LightWaveCells(ctx, ctx.settings.multiColour != 0);
  PaintFadedKeys(ctx);
  ctx.buffers.wave.Move();
}

}  // namespace velmora::devices
