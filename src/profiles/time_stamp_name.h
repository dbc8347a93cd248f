#pragma once

#include <cstdint>
#include <string>

namespace velmora::profiles {

// A name made from the local time: "year_MM_DD_hh_mm_ss_mmm" (format
// "%d_%02d_%02d_%02d_%02d_%02d_%03d"). Used as the UUID of new profiles and macros. Names are
// unique within the process: a name asked for in the same millisecond as the previous one
// (or when the clock went back) takes the millisecond after the last name given. Thread-safe.
std::string MakeTimeStampName();

// The name for a given time in milliseconds since the epoch, in local time.
std::string FormatTimeStampName(int64_t epochMs);

}  // namespace velmora::profiles
