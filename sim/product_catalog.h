#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace velmora::sim {

// The simulated products.
enum class ProductKind { Keyboard, KeyboardReceiver, Mouse, MouseReceiver, MousePad, Headset };

inline constexpr std::array<ProductKind, 6> kAllProducts = {
    ProductKind::Keyboard, ProductKind::KeyboardReceiver, ProductKind::Mouse,
    ProductKind::MouseReceiver, ProductKind::MousePad, ProductKind::Headset,
};

struct ProductIdentity {
  uint16_t vendorId;
  uint16_t productId;
  uint16_t version;  // bcdDevice
  std::string_view name;
};

const ProductIdentity& IdentityOf(ProductKind kind);
bool IsReceiver(ProductKind kind);

}  // namespace velmora::sim
