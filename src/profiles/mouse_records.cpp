#include "profiles/mouse_records.h"

namespace velmora::profiles {

void DPIStageRecord::ToBytes(uint8_t* out) const {
  out[0] = enabled;
  out[1] = xyFlag;
  out[2] = static_cast<uint8_t>(dpiX);
  out[3] = static_cast<uint8_t>(dpiX >> 8);
  out[4] = static_cast<uint8_t>(dpiY);
  out[5] = static_cast<uint8_t>(dpiY >> 8);
  out[6] = red;
  out[7] = green;
  out[8] = blue;
}

DPIStageRecord DPIStageRecord::FromBytes(const uint8_t* in) {
  DPIStageRecord s;
  s.enabled = in[0];
  s.xyFlag = in[1];
  s.dpiX = static_cast<uint16_t>(in[2] | in[3] << 8);
  s.dpiY = static_cast<uint16_t>(in[4] | in[5] << 8);
  s.red = in[6];
  s.green = in[7];
  s.blue = in[8];
  return s;
}

}  // namespace velmora::profiles
