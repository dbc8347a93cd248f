// Report-descriptor parser: turns the item stream of a HID report descriptor into one
// HidPreparsedData per top-level collection, with the capabilities Windows would report.
#include "platform/hid_descriptor.h"

#include <algorithm>
#include <array>
#include <optional>

namespace velmora::platform {

namespace {

// A report's byte length, report-id byte included, must fit the 16-bit length fields.
constexpr uint64_t kMaxReportBits = 8ull * 0xFFFEu;
constexpr uint32_t kMaxDataIndices = 0xFFFF;

enum class ItemType : uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

namespace main_tag {
constexpr uint8_t kInput = 0x8, kOutput = 0x9, kCollection = 0xA, kFeature = 0xB, kEndCollection = 0xC;
}
namespace global_tag {
constexpr uint8_t kUsagePage = 0x0, kLogicalMin = 0x1, kLogicalMax = 0x2, kPhysicalMin = 0x3,
                  kPhysicalMax = 0x4, kUnitExponent = 0x5, kUnit = 0x6, kReportSize = 0x7,
                  kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB;
}
namespace local_tag {
constexpr uint8_t kUsage = 0x0, kUsageMin = 0x1, kUsageMax = 0x2, kDesignatorIndex = 0x3,
                  kDesignatorMin = 0x4, kDesignatorMax = 0x5, kStringIndex = 0x7, kStringMin = 0x8,
                  kStringMax = 0x9, kDelimiter = 0xA;
}

// Main item flag bits.
constexpr uint32_t kFlagConstant = 0x01, kFlagVariable = 0x02, kFlagRelative = 0x04, kFlagNullState = 0x40;

// One short item (long items are skipped by the reader).
struct Item {
  ItemType type = ItemType::Main;
  uint8_t tag = 0;
  uint8_t size = 0;  // data bytes: 0, 1, 2 or 4
  uint32_t data = 0;

  int32_t SignedData() const {
    switch (size) {
      case 1: return static_cast<int8_t>(data);
      case 2: return static_cast<int16_t>(data);
      default: return static_cast<int32_t>(data);
    }
  }
};

// Walks the item stream; every access is checked against the descriptor's end.
class ItemReader {
 public:
  explicit ItemReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  // Reads the next short item. False at the end or when an item runs past the end
  // (malformed_ tells which).
  bool Next(Item& item) {
    while (pos_ < bytes_.size()) {
      const uint8_t prefix = bytes_[pos_];
      if (prefix == 0xFE) {  // long item: size byte, tag byte, data
        if (bytes_.size() - pos_ < 3) return Fail();
        const size_t length = 3u + bytes_[pos_ + 1];
        if (bytes_.size() - pos_ < length) return Fail();
        pos_ += length;
        continue;
      }
      static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
      item.size = kSizes[prefix & 0x3];
      item.type = static_cast<ItemType>((prefix >> 2) & 0x3);
      item.tag = prefix >> 4;
      if (bytes_.size() - pos_ - 1 < item.size) return Fail();
      item.data = 0;
      for (uint8_t i = 0; i < item.size; ++i) item.data |= uint32_t{bytes_[pos_ + 1 + i]} << (8 * i);
      pos_ += 1u + item.size;
      return true;
    }
    return false;
  }
  bool Malformed() const { return malformed_; }

 private:
  bool Fail() {
    malformed_ = true;
    return false;
  }
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
  bool malformed_ = false;
};

struct GlobalState {
  uint16_t usagePage = 0;
  int32_t logicalMin = 0, logicalMax = 0;
  int32_t physicalMin = 0, physicalMax = 0;
  uint32_t unitExponent = 0, unit = 0;
  uint32_t reportSize = 0, reportCount = 0;
  uint8_t reportId = 0;
};

// A local usage or usage range. A 4-byte usage carries its page in the high 16 bits; a
// shorter one takes the usage page in force at the main item.
struct UsageEntry {
  uint32_t min = 0, max = 0;
  bool extended = false;
  bool isRange = false;

  uint64_t Count() const { return uint64_t{max} - min + 1; }
  uint16_t Page(uint16_t globalPage) const { return extended ? static_cast<uint16_t>(min >> 16) : globalPage; }
};

struct LocalState {
  std::vector<UsageEntry> usages;
  std::optional<Item> pendingMin, pendingMax;
  uint32_t stringMin = 0, stringMax = 0, designatorMin = 0, designatorMax = 0;
  bool stringRange = false, designatorRange = false;
  bool inDelimiter = false, delimiterUsageTaken = false;
};

struct LinkNode {
  uint16_t usage = 0, usagePage = 0;
};

// What one top-level collection gathers while its items are read.
struct CollectionBuild {
  std::vector<LinkNode> links;
  std::vector<uint16_t> openLinks;  // link indexes of the collections open inside it
  std::array<std::vector<uint8_t>, kHidReportTypeCount> idsByType;
  std::array<uint32_t, kHidReportTypeCount> dataIndices{};
};

}  // namespace

bool HidPreparsedData::HasReportId(uint8_t id) const {
  if (reportIds_.empty()) return id == 0;
  return std::binary_search(reportIds_.begin(), reportIds_.end(), id);
}

class HidDescriptorParser {
 public:
  bool Parse(std::span<const uint8_t> descriptor, std::vector<HidPreparsedData>& out);

 private:
  bool HandleMain(const Item& item);
  bool HandleGlobal(const Item& item);
  bool HandleLocal(const Item& item);
  bool AddUsage(const UsageEntry& entry);
  bool OpenCollection();
  bool CloseCollection();
  bool AddDataItem(HidReportType type, uint32_t flags);
  bool AddArrayCaps(HidReportType type, uint32_t flags, const HidReportField& field);
  bool AddVariableCaps(HidReportType type, uint32_t flags, HidReportField field);
  bool AddButtonCap(HidReportType type, uint32_t flags, const UsageEntry& entry, const HidReportField& field);
  bool AddValueCap(HidReportType type, uint32_t flags, const UsageEntry& entry, const HidReportField& field);
  template <typename Caps>
  bool FillCommon(Caps& cap, HidReportType type, uint32_t flags, const UsageEntry& entry);
  void Finish();

  GlobalState global_;
  std::vector<GlobalState> globalStack_;
  LocalState local_;
  std::vector<HidPreparsedData>* out_ = nullptr;
  std::vector<CollectionBuild> builds_;
  std::optional<size_t> current_;  // index into builds_ of the open top-level collection
  std::array<std::array<uint64_t, 256>, kHidReportTypeCount> reportBits_{};
};

bool HidDescriptorParser::Parse(std::span<const uint8_t> descriptor, std::vector<HidPreparsedData>& out) {
  out.clear();
  out_ = &out;
  ItemReader reader(descriptor);
  Item item;
  bool ok = true;
  while (ok && reader.Next(item)) {
    switch (item.type) {
      case ItemType::Main: ok = HandleMain(item); break;
      case ItemType::Global: ok = HandleGlobal(item); break;
      case ItemType::Local: ok = HandleLocal(item); break;
      case ItemType::Reserved: break;
    }
  }
  if (!ok || reader.Malformed() || current_ || local_.inDelimiter) {
    out.clear();
    return false;
  }
  Finish();
  return true;
}

bool HidDescriptorParser::HandleMain(const Item& item) {
  bool ok = true;
  switch (item.tag) {
    case main_tag::kInput: ok = AddDataItem(HidReportType::Input, item.data); break;
    case main_tag::kOutput: ok = AddDataItem(HidReportType::Output, item.data); break;
    case main_tag::kFeature: ok = AddDataItem(HidReportType::Feature, item.data); break;
    case main_tag::kCollection: ok = OpenCollection(); break;
    case main_tag::kEndCollection: ok = CloseCollection(); break;
    default: break;  // reserved main items carry nothing
  }
  if (local_.inDelimiter) return false;  // a delimiter set must close before its main item
  local_ = LocalState{};
  return ok;
}

bool HidDescriptorParser::HandleGlobal(const Item& item) {
  switch (item.tag) {
    case global_tag::kUsagePage: global_.usagePage = static_cast<uint16_t>(item.data); break;
    case global_tag::kLogicalMin: global_.logicalMin = item.SignedData(); break;
    case global_tag::kLogicalMax: global_.logicalMax = item.SignedData(); break;
    case global_tag::kPhysicalMin: global_.physicalMin = item.SignedData(); break;
    case global_tag::kPhysicalMax: global_.physicalMax = item.SignedData(); break;
    case global_tag::kUnitExponent: global_.unitExponent = item.data; break;
    case global_tag::kUnit: global_.unit = item.data; break;
    case global_tag::kReportSize: global_.reportSize = item.data; break;
    case global_tag::kReportCount: global_.reportCount = item.data; break;
    case global_tag::kReportId:
      if (item.data == 0 || item.data > 0xFF) return false;
      global_.reportId = static_cast<uint8_t>(item.data);
      break;
    case global_tag::kPush: globalStack_.push_back(global_); break;
    case global_tag::kPop:
      if (globalStack_.empty()) return false;
      global_ = globalStack_.back();
      globalStack_.pop_back();
      break;
    default: break;
  }
  return true;
}

bool HidDescriptorParser::HandleLocal(const Item& item) {
  LocalState& l = local_;
  switch (item.tag) {
    case local_tag::kUsage:
      return AddUsage(UsageEntry{item.data, item.data, item.size == 4, false});
    case local_tag::kUsageMin:
    case local_tag::kUsageMax: {
      (item.tag == local_tag::kUsageMin ? l.pendingMin : l.pendingMax) = item;
      if (!l.pendingMin || !l.pendingMax) return true;
      UsageEntry entry{l.pendingMin->data, l.pendingMax->data, l.pendingMin->size == 4, true};
      if (entry.extended && l.pendingMax->size != 4) {
        entry.max = (entry.min & 0xFFFF0000u) | (entry.max & 0xFFFFu);
      } else if (!entry.extended) {
        entry.min &= 0xFFFFu;
        entry.max &= 0xFFFFu;
      }
      l.pendingMin.reset();
      l.pendingMax.reset();
      return AddUsage(entry);
    }
    case local_tag::kDesignatorIndex: l.designatorMin = l.designatorMax = item.data; break;
    case local_tag::kDesignatorMin: l.designatorMin = item.data; l.designatorRange = true; break;
    case local_tag::kDesignatorMax: l.designatorMax = item.data; l.designatorRange = true; break;
    case local_tag::kStringIndex: l.stringMin = l.stringMax = item.data; break;
    case local_tag::kStringMin: l.stringMin = item.data; l.stringRange = true; break;
    case local_tag::kStringMax: l.stringMax = item.data; l.stringRange = true; break;
    case local_tag::kDelimiter:
      if (item.data == 1) {
        if (l.inDelimiter) return false;  // delimiter sets do not nest
        l.inDelimiter = true;
        l.delimiterUsageTaken = false;
      } else if (item.data == 0) {
        if (!l.inDelimiter) return false;
        l.inDelimiter = false;
      } else {
        return false;
      }
      break;
    default: break;
  }
  return true;
}

bool HidDescriptorParser::AddUsage(const UsageEntry& entry) {
  if (entry.min > entry.max) return false;
  // Within a delimiter set the usages are alternatives for one control: keep the first.
  if (local_.inDelimiter) {
    if (local_.delimiterUsageTaken) return true;
    local_.delimiterUsageTaken = true;
  }
  local_.usages.push_back(entry);
  return true;
}

bool HidDescriptorParser::OpenCollection() {
  LinkNode node;
  if (!local_.usages.empty()) {
    const UsageEntry& first = local_.usages.front();
    node.usage = static_cast<uint16_t>(first.min);
    node.usagePage = first.Page(global_.usagePage);
  } else {
    node.usagePage = global_.usagePage;
  }
  if (!current_) {
    out_->emplace_back();
    builds_.emplace_back();
    current_ = builds_.size() - 1;
    CollectionBuild& build = builds_.back();
    build.links.push_back(node);
    build.openLinks.push_back(0);
    return true;
  }
  CollectionBuild& build = builds_[*current_];
  if (build.links.size() >= 0xFFFF) return false;
  build.links.push_back(node);
  build.openLinks.push_back(static_cast<uint16_t>(build.links.size() - 1));
  return true;
}

bool HidDescriptorParser::CloseCollection() {
  if (!current_) return false;
  CollectionBuild& build = builds_[*current_];
  build.openLinks.pop_back();
  if (build.openLinks.empty()) current_.reset();
  return true;
}

bool HidDescriptorParser::AddDataItem(HidReportType type, uint32_t flags) {
  if (!current_) return false;  // data outside any collection
  const int t = static_cast<int>(type);
  if (global_.reportSize > 0xFFFF || global_.reportCount > 0xFFFF) return false;
  const uint64_t bits = uint64_t{global_.reportSize} * global_.reportCount;
  uint64_t& used = reportBits_[t][global_.reportId];
  if (used + bits > kMaxReportBits) return false;
  HidReportField field;
  field.bitOffset = static_cast<uint32_t>(used);
  field.bitSize = static_cast<uint16_t>(global_.reportSize);
  field.reportCount = static_cast<uint16_t>(global_.reportCount);
  field.isArray = (flags & kFlagVariable) == 0;
  field.logicalMin = global_.logicalMin;
  field.logicalMax = global_.logicalMax;
  used += bits;

  auto& ids = builds_[*current_].idsByType[t];
  if (std::find(ids.begin(), ids.end(), global_.reportId) == ids.end()) ids.push_back(global_.reportId);

  if ((flags & kFlagConstant) != 0 || bits == 0) return true;  // padding
  if (local_.usages.empty()) local_.usages.push_back(UsageEntry{});
  return field.isArray ? AddArrayCaps(type, flags, field) : AddVariableCaps(type, flags, field);
}

// An array item: one button capability per usage or range, all sharing the selector fields;
// each answers to its own run of selector positions.
bool HidDescriptorParser::AddArrayCaps(HidReportType type, uint32_t flags, const HidReportField& field) {
  uint64_t position = 0;
  for (const UsageEntry& entry : local_.usages) {
    HidReportField own = field;
    own.arrayPosition = static_cast<uint32_t>(std::min<uint64_t>(position, 0xFFFFFFFFu));
    if (!AddButtonCap(type, flags, entry, own)) return false;
    position += entry.Count();
  }
  return true;
}

// A variable item: each usage or range takes its share of the fields in order; the last one
// takes all that remain.
bool HidDescriptorParser::AddVariableCaps(HidReportType type, uint32_t flags, HidReportField field) {
  const bool button = field.bitSize == 1;
  uint32_t remaining = field.reportCount;
  uint32_t offset = field.bitOffset;
  for (size_t i = 0; i < local_.usages.size() && remaining > 0; ++i) {
    const UsageEntry& entry = local_.usages[i];
    const bool last = i + 1 == local_.usages.size();
    const uint32_t share = last ? remaining : static_cast<uint32_t>(std::min<uint64_t>(entry.Count(), remaining));
    HidReportField own = field;
    own.bitOffset = offset;
    own.reportCount = static_cast<uint16_t>(share);
    const bool ok = button ? AddButtonCap(type, flags, entry, own) : AddValueCap(type, flags, entry, own);
    if (!ok) return false;
    offset += share * field.bitSize;
    remaining -= share;
  }
  return true;
}

template <typename Caps>
bool HidDescriptorParser::FillCommon(Caps& cap, HidReportType type, uint32_t flags, const UsageEntry& entry) {
  CollectionBuild& build = builds_[*current_];
  const uint16_t link = build.openLinks.back();
  cap.usagePage = entry.Page(global_.usagePage);
  cap.reportId = global_.reportId;
  cap.bitField = static_cast<uint16_t>(flags);
  cap.linkCollection = link;
  cap.linkUsage = build.links[link].usage;
  cap.linkUsagePage = build.links[link].usagePage;
  cap.isRange = entry.isRange;
  cap.isAbsolute = (flags & kFlagRelative) == 0;
  cap.usageMin = static_cast<uint16_t>(entry.min);
  cap.usageMax = static_cast<uint16_t>(entry.max);
  cap.isStringRange = local_.stringRange;
  cap.stringMin = static_cast<uint16_t>(local_.stringMin);
  cap.stringMax = static_cast<uint16_t>(local_.stringMax);
  cap.isDesignatorRange = local_.designatorRange;
  cap.designatorMin = static_cast<uint16_t>(local_.designatorMin);
  cap.designatorMax = static_cast<uint16_t>(local_.designatorMax);
  // A range takes one data index per usage; a single usage (even a value array) takes one.
  uint32_t& next = build.dataIndices[static_cast<int>(type)];
  const uint64_t count = entry.isRange ? (uint64_t{cap.usageMax} - cap.usageMin + 1) : 1;
  if (next + count > kMaxDataIndices) return false;
  cap.dataIndexMin = static_cast<uint16_t>(next);
  cap.dataIndexMax = static_cast<uint16_t>(next + count - 1);
  next += static_cast<uint32_t>(count);
  return true;
}

bool HidDescriptorParser::AddButtonCap(HidReportType type, uint32_t flags, const UsageEntry& entry,
                                       const HidReportField& field) {
  HidpButtonCaps cap;
  if (!FillCommon(cap, type, flags, entry)) return false;
  cap.field = field;
  (*out_)[*current_].buttonCaps_[static_cast<int>(type)].push_back(cap);
  return true;
}

bool HidDescriptorParser::AddValueCap(HidReportType type, uint32_t flags, const UsageEntry& entry,
                                      const HidReportField& field) {
  HidpValueCaps cap;
  if (!FillCommon(cap, type, flags, entry)) return false;
  cap.hasNull = (flags & kFlagNullState) != 0;
  cap.bitSize = field.bitSize;
  cap.reportCount = field.reportCount;
  cap.unitsExp = global_.unitExponent;
  cap.units = global_.unit;
  cap.logicalMin = global_.logicalMin;
  cap.logicalMax = global_.logicalMax;
  cap.physicalMin = global_.physicalMin;
  cap.physicalMax = global_.physicalMax;
  cap.field = field;
  (*out_)[*current_].valueCaps_[static_cast<int>(type)].push_back(cap);
  return true;
}

// Report lengths are known only once every item is read: a report id may collect fields
// from several places of the descriptor.
void HidDescriptorParser::Finish() {
  for (size_t c = 0; c < builds_.size(); ++c) {
    HidPreparsedData& pp = (*out_)[c];
    const CollectionBuild& build = builds_[c];
    HidpCaps& caps = pp.caps_;
    caps.usage = build.links[0].usage;
    caps.usagePage = build.links[0].usagePage;
    caps.numberLinkCollectionNodes = static_cast<uint16_t>(build.links.size());
    uint16_t* lengths[kHidReportTypeCount] = {&caps.inputReportByteLength, &caps.outputReportByteLength,
                                              &caps.featureReportByteLength};
    for (int t = 0; t < kHidReportTypeCount; ++t) {
      uint64_t maxBits = 0;
      for (uint8_t id : build.idsByType[t]) {
        maxBits = std::max(maxBits, reportBits_[t][id]);
        if (id != 0) pp.reportIds_.push_back(id);
      }
      *lengths[t] = build.idsByType[t].empty() ? 0 : static_cast<uint16_t>(1 + (maxBits + 7) / 8);
    }
    std::sort(pp.reportIds_.begin(), pp.reportIds_.end());
    pp.reportIds_.erase(std::unique(pp.reportIds_.begin(), pp.reportIds_.end()), pp.reportIds_.end());
    auto count = [&](HidReportType type, uint16_t& buttons, uint16_t& values, uint16_t& indices) {
      const int t = static_cast<int>(type);
      buttons = static_cast<uint16_t>(pp.buttonCaps_[t].size());
      values = static_cast<uint16_t>(pp.valueCaps_[t].size());
      indices = static_cast<uint16_t>(build.dataIndices[t]);
    };
    count(HidReportType::Input, caps.numberInputButtonCaps, caps.numberInputValueCaps, caps.numberInputDataIndices);
    count(HidReportType::Output, caps.numberOutputButtonCaps, caps.numberOutputValueCaps,
          caps.numberOutputDataIndices);
    count(HidReportType::Feature, caps.numberFeatureButtonCaps, caps.numberFeatureValueCaps,
          caps.numberFeatureDataIndices);
  }
}

bool ParseReportDescriptor(std::span<const uint8_t> descriptor, std::vector<HidPreparsedData>& out) {
  HidDescriptorParser parser;
  return parser.Parse(descriptor, out);
}

}  // namespace velmora::platform
