#include "toolkit/linear_layout.h"

#include <algorithm>

#include "toolkit/control.h"
#include "toolkit/render_engine.h"

namespace velmora::toolkit {
namespace {

// Reads and writes sizes along the layout's main and cross axes.
struct Axis {
  bool vertical;
  int Main(UiSize s) const { return vertical ? s.cy : s.cx; }
  int Cross(UiSize s) const { return vertical ? s.cx : s.cy; }
  int MainLead(const UiRect& r) const { return vertical ? r.top : r.left; }
  int MainTrail(const UiRect& r) const { return vertical ? r.bottom : r.right; }
  int CrossLead(const UiRect& r) const { return vertical ? r.left : r.top; }
  int CrossTrail(const UiRect& r) const { return vertical ? r.right : r.bottom; }
  int MinMain(CControlUI* c) const { return vertical ? c->GetMinHeight() : c->GetMinWidth(); }
  int MaxMain(CControlUI* c) const { return vertical ? c->GetMaxHeight() : c->GetMaxWidth(); }
  int MinCross(CControlUI* c) const { return vertical ? c->GetMinWidth() : c->GetMinHeight(); }
  int MaxCross(CControlUI* c) const { return vertical ? c->GetMaxWidth() : c->GetMaxHeight(); }
  UiRect Make(int mainLead, int mainSize, int crossLead, int crossSize) const {
    if (vertical) return {crossLead, mainLead, crossLead + crossSize, mainLead + mainSize};
    return {mainLead, crossLead, mainLead + mainSize, crossLead + crossSize};
  }
};

struct Slot {
  CControlUI* control;
  UiSize estimate;
  UiRect padding;
  int main = 0;        // resolved main size
  bool stretch = false;
};

int ClampSize(int value, int minimum, int maximum) {
  return std::max(minimum, std::min(value, std::max(minimum, maximum)));
}

// Resolves the stretched children's main sizes: each takes an equal share of what the fixed
// ones leave, but a share outside a child's minimum or maximum fixes that child and the rest
// is shared again.
void ResolveStretch(std::vector<Slot>& slots, const Axis& axis, int space) {
  std::vector<Slot*> open;
  for (Slot& slot : slots) {
    if (slot.stretch) open.push_back(&slot);
    else space -= slot.main;
  }
  bool changed = true;
  while (changed && !open.empty()) {
    changed = false;
    const int share = std::max(0, space) / static_cast<int>(open.size());
    for (auto it = open.begin(); it != open.end(); ++it) {
      const int clamped = ClampSize(share, axis.MinMain((*it)->control), axis.MaxMain((*it)->control));
      if (clamped != share) {
        (*it)->main = clamped;
        space -= clamped;
        open.erase(it);
        changed = true;
        break;
      }
    }
  }
  if (open.empty()) return;
  const int share = std::max(0, space) / static_cast<int>(open.size());
  int remainder = std::max(0, space) - share * static_cast<int>(open.size());
  for (Slot* slot : open) {
    slot->main = share;
    if (slot == open.back()) slot->main += remainder;  // the last stretched child fills up
  }
}

}  // namespace

UiSize ArrangeLinear(const std::vector<CControlUI*>& items, const UiRect& rc, const LinearLayoutParams& params) {
  const Axis axis{params.vertical};
  const int mainSpace = axis.MainTrail(rc) - axis.MainLead(rc);
  const int crossSpace = axis.CrossTrail(rc) - axis.CrossLead(rc);

  std::vector<Slot> slots;
  int used = 0;
  for (CControlUI* item : items) {
    if (!item->IsVisible() || item->IsFloat()) continue;
    Slot slot{item, item->EstimateSize({rc.Width(), rc.Height()}), item->GetPadding()};
    const int estimated = axis.Main(slot.estimate);
    slot.stretch = estimated == 0;
    if (!slot.stretch) slot.main = ClampSize(estimated, axis.MinMain(item), axis.MaxMain(item));
    used += axis.MainLead(slot.padding) + axis.MainTrail(slot.padding);
    slots.push_back(slot);
  }
  if (!slots.empty()) used += params.childPadding * static_cast<int>(slots.size() - 1);
  ResolveStretch(slots, axis, mainSpace - used);

  int total = used;
  for (const Slot& slot : slots) total += slot.main;
  int position = axis.MainLead(rc) - axis.Main(params.scrollPos);
  if (total < mainSpace) {
    const uint32_t centre = params.vertical ? DT_VCENTER : DT_CENTER;
    const uint32_t trail = params.vertical ? DT_BOTTOM : DT_RIGHT;
    if (params.mainAlign == centre) position += (mainSpace - total) / 2;
    else if (params.mainAlign == trail) position += mainSpace - total;
  }

  int crossExtent = 0;
  for (const Slot& slot : slots) {
    const int padLead = axis.CrossLead(slot.padding), padTrail = axis.CrossTrail(slot.padding);
    const int room = crossSpace - padLead - padTrail;
    int cross = axis.Cross(slot.estimate);
    if (cross == 0) cross = room;
    cross = ClampSize(cross, axis.MinCross(slot.control), axis.MaxCross(slot.control));
    int crossLead = axis.CrossLead(rc) + padLead - axis.Cross(params.scrollPos);
    const uint32_t centre = params.vertical ? DT_CENTER : DT_VCENTER;
    const uint32_t trail = params.vertical ? DT_RIGHT : DT_BOTTOM;
    if (params.crossAlign == centre) crossLead += (room - cross) / 2;
    else if (params.crossAlign == trail) crossLead += room - cross;
    crossExtent = std::max(crossExtent, padLead + cross + padTrail);

    position += axis.MainLead(slot.padding);
    slot.control->SetPos(axis.Make(position, slot.main, crossLead, cross), false);
    position += slot.main + axis.MainTrail(slot.padding) + params.childPadding;
  }
  return params.vertical ? UiSize{crossExtent, total} : UiSize{total, crossExtent};
}

}  // namespace velmora::toolkit
