#include "devices/keyboard_light_wave_grid.h"

#include <algorithm>

namespace velmora::devices {
namespace {

constexpr size_t kRightFronts[] = {0, 2};
constexpr size_t kLeftFronts[] = {1, 3};

}  // namespace

void WaveGrid::Seed(size_t column, uint8_t rows) {
  SeedMovingRight(column, rows);
  SeedMovingLeft(column, rows);
}

void WaveGrid::SeedMovingRight(size_t column, uint8_t rows) {
  if (column >= kGridColumns) return;
  for (size_t front : kRightFronts) fronts_[front][column] |= rows & kAllRows;
}

void WaveGrid::SeedMovingLeft(size_t column, uint8_t rows) {
  if (column >= kGridColumns) return;
  for (size_t front : kLeftFronts) fronts_[front][column] |= rows & kAllRows;
}

void WaveGrid::Move() {
  ShiftRight(fronts_[0]);
  ShiftLeft(fronts_[1]);
  ShiftRight(fronts_[2]);
  ShiftLeft(fronts_[3]);
  Widen(fronts_[2]);
  Widen(fronts_[3]);
}

void WaveGrid::Clear() {
  for (Row& row : fronts_) row.fill(0);
}

bool WaveGrid::Empty() const {
  return std::all_of(fronts_.begin(), fronts_.end(), [](const Row& row) {
    return std::all_of(row.begin(), row.end(), [](uint8_t mask) { return mask == 0; });
  });
}

uint8_t WaveGrid::Covered(size_t column) const {
  if (column >= kGridColumns) return 0;
  uint8_t rows = 0;
  for (const Row& row : fronts_) rows |= row[column];
  return rows;
}

void WaveGrid::ShiftRight(Row& row) {
  std::copy_backward(row.begin(), row.end() - 1, row.end());
  row.front() = 0;
}

void WaveGrid::ShiftLeft(Row& row) {
  std::copy(row.begin() + 1, row.end(), row.begin());
  row.back() = 0;
}

void WaveGrid::Widen(Row& row) {
  for (uint8_t& mask : row) {
    mask = static_cast<uint8_t>((mask | mask << 1 | mask >> 1) & kAllRows);
  }
}

}  // namespace velmora::devices
