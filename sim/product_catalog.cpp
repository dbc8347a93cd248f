#include "sim/product_catalog.h"

namespace velmora::sim {

const ProductIdentity& IdentityOf(ProductKind kind) {
  static const ProductIdentity identities[] = {
      {0x320F, 0x505B, 0x0102, "keyboard"},
      {0x320F, 0x5088, 0x0100, "keyboard receiver"},
      {0x320F, 0x221C, 0x0105, "mouse"},
      {0x320F, 0x221D, 0x0100, "mouse receiver"},
      {0x320F, 0x1004, 0x0101, "mouse pad"},
      {0x0C76, 0x1630, 0x0200, "headset"},
  };
  return identities[static_cast<int>(kind)];
}

bool IsReceiver(ProductKind kind) {
  return kind == ProductKind::KeyboardReceiver || kind == ProductKind::MouseReceiver;
}

}  // namespace velmora::sim
