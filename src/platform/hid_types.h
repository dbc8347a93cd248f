#pragma once

#include <cstdint>

namespace velmora::platform {

enum class HidReportType : int { Input = 0, Output = 1, Feature = 2 };
inline constexpr int kHidReportTypeCount = 3;

// Status codes of the report parser, with the values Windows gives them.
enum class HidpStatus : uint32_t {
  Success = 0x00110000,
  Null = 0x80110001,
  InvalidPreparsedData = 0xC0110001,
  InvalidReportType = 0xC0110002,
  InvalidReportLength = 0xC0110003,
  UsageNotFound = 0xC0110004,
  ValueOutOfRange = 0xC0110005,
  BadLogPhyValues = 0xC0110006,
  BufferTooSmall = 0xC0110007,
  InternalError = 0xC0110008,
  IncompatibleReportId = 0xC011000A,
  NotValueArray = 0xC011000B,
  IsValueArray = 0xC011000C,
};

// Vendor id, product id and version (bcdDevice) of a HID interface.
struct HidAttributes {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t versionNumber = 0;
};

// The capabilities record of one top-level collection, as Windows reports it. Report byte
// lengths include the report-id byte (a collection without report ids still counts one).
struct HidpCaps {
  uint16_t usage = 0;
  uint16_t usagePage = 0;
  uint16_t inputReportByteLength = 0;
  uint16_t outputReportByteLength = 0;
  uint16_t featureReportByteLength = 0;
  uint16_t numberLinkCollectionNodes = 0;
  uint16_t numberInputButtonCaps = 0;
  uint16_t numberInputValueCaps = 0;
  uint16_t numberInputDataIndices = 0;
  uint16_t numberOutputButtonCaps = 0;
  uint16_t numberOutputValueCaps = 0;
  uint16_t numberOutputDataIndices = 0;
  uint16_t numberFeatureButtonCaps = 0;
  uint16_t numberFeatureValueCaps = 0;
  uint16_t numberFeatureDataIndices = 0;
};

// Where a main item's fields sit in its report (the parser's own bookkeeping, needed to
// extract usages and values from a report).
struct HidReportField {
  uint32_t bitOffset = 0;    // from the start of the report data, after the report-id byte
  uint16_t bitSize = 0;      // report size of one field
  uint16_t reportCount = 0;  // number of fields
  bool isArray = false;      // array (selector) item rather than variable
  int32_t logicalMin = 0;
  int32_t logicalMax = 0;
  // Array items only: the first selector position (selector value - logicalMin) this
  // capability's usages answer to. Capabilities of one array item share its fields.
  uint32_t arrayPosition = 0;
};

// A button capability (HIDP_BUTTON_CAPS). A capability that is not a range has
// usageMin == usageMax == its usage.
struct HidpButtonCaps {
  uint16_t usagePage = 0;
  uint8_t reportId = 0;
  bool isAlias = false;
  uint16_t bitField = 0;
  uint16_t linkCollection = 0;
  uint16_t linkUsage = 0;
  uint16_t linkUsagePage = 0;
  bool isRange = false;
  bool isStringRange = false;
  bool isDesignatorRange = false;
  bool isAbsolute = true;
  uint16_t usageMin = 0;
  uint16_t usageMax = 0;
  uint16_t stringMin = 0, stringMax = 0;
  uint16_t designatorMin = 0, designatorMax = 0;
  uint16_t dataIndexMin = 0, dataIndexMax = 0;
  HidReportField field;
};

// A value capability (HIDP_VALUE_CAPS).
struct HidpValueCaps {
  uint16_t usagePage = 0;
  uint8_t reportId = 0;
  bool isAlias = false;
  uint16_t bitField = 0;
  uint16_t linkCollection = 0;
  uint16_t linkUsage = 0;
  uint16_t linkUsagePage = 0;
  bool isRange = false;
  bool isStringRange = false;
  bool isDesignatorRange = false;
  bool isAbsolute = true;
  bool hasNull = false;
  uint16_t bitSize = 0;
  uint16_t reportCount = 0;
  uint32_t unitsExp = 0;
  uint32_t units = 0;
  int32_t logicalMin = 0, logicalMax = 0;
  int32_t physicalMin = 0, physicalMax = 0;
  uint16_t usageMin = 0;
  uint16_t usageMax = 0;
  uint16_t stringMin = 0, stringMax = 0;
  uint16_t designatorMin = 0, designatorMax = 0;
  uint16_t dataIndexMin = 0, dataIndexMax = 0;
  HidReportField field;
};

}  // namespace velmora::platform
