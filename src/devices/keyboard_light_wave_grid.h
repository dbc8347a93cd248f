#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "devices/keyboard_layout.h"

namespace velmora::devices {

// The wave grid of the ripple effects: four wave fronts over the 23 grid columns, each column
// a 6-bit mask of the grid rows the front covers there. Every move carries front 0 and front 2
// one column right and fronts 1 and 3 one column left; fronts 2 and 3 also widen by one grid
// row up and down, so a seed grows into two level arms and an expanding ring. A front that
// runs past an edge is gone.
class WaveGrid {
 public:
  static constexpr size_t kFronts = 4;
  static constexpr uint8_t kAllRows = (1u << kGridRows) - 1;

  // Adds the cells of rows (a mask) in column to every front.
  void Seed(size_t column, uint8_t rows);
  // Adds the cells to the fronts that move right (from the left edge) or left only.
  void SeedMovingRight(size_t column, uint8_t rows);
  void SeedMovingLeft(size_t column, uint8_t rows);
  void Move();
  void Clear();
  bool Empty() const;

  // The rows any front covers in column.
  uint8_t Covered(size_t column) const;
  uint8_t Front(size_t front, size_t column) const { return fronts_[front][column]; }

 private:
  using Row = std::array<uint8_t, kGridColumns>;
  static void ShiftRight(Row& row);
  static void ShiftLeft(Row& row);
  static void Widen(Row& row);

  std::array<Row, kFronts> fronts_{};
};

}  // namespace velmora::devices
