#include "toolkit/paint_manager.h"

#include <algorithm>

#include "platform/debug_output.h"
#include "platform/paths.h"
#include "toolkit/image_cache.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

std::vector<CPaintManagerUI*>& AllManagers() {
  static std::vector<CPaintManagerUI*> managers;
  return managers;
}

// The program folder until the program sets another.
std::string& InstancePath() {
  static std::string path = platform::ExecutableDir() + "/";
  return path;
}

std::string& ResourcePath() {
  static std::string path;
  return path;
}

std::map<std::string, std::string>& SharedDefaultAttributes() {
  static std::map<std::string, std::string> attributes;
  return attributes;
}

std::string WithTrailingSlash(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() : self_(std::make_shared<CPaintManagerUI*>(this)) {
  AllManagers().push_back(this);
}

CPaintManagerUI::~CPaintManagerUI() {
  *self_ = nullptr;
  self_.reset();
  RemoveAllTimers();
  if (toolTipTimer_ != 0 && GetLoop() != nullptr) GetLoop()->StopTimer(toolTipTimer_);
  asyncNotify_.clear();
  // The tree goes before the tables its controls unregister from.
  CControlUI* root = root_;
  root_ = nullptr;
  focus_ = hover_ = capture_ = pressed_ = nullptr;
  delete root;
  for (CControlUI* control : delayedCleanup_) delete control;
  delayedCleanup_.clear();
  auto& all = AllManagers();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CPaintManagerUI::Init(Host* host, HostWindow* window, const std::string& name) {
  host_ = host;
  window_ = window;
  name_ = name;
}

MessageLoop* CPaintManagerUI::GetLoop() const { return host_ != nullptr ? &host_->Loop() : nullptr; }

void CPaintManagerUI::SetInstancePath(const std::string& path) { InstancePath() = WithTrailingSlash(path); }
const std::string& CPaintManagerUI::GetInstancePath() { return InstancePath(); }
void CPaintManagerUI::SetResourcePath(const std::string& path) { ResourcePath() = WithTrailingSlash(path); }
const std::string& CPaintManagerUI::GetResourcePath() { return ResourcePath(); }

std::string& CPaintManagerUI::ResourceZip() {
  static std::string zip;
  return zip;
}

int& CPaintManagerUI::ResourceType() {
  static int type = 1;  // resources come from files
  return type;
}

void CPaintManagerUI::PostToLoop(std::function<void()> work) {
  MessageLoop* loop = GetLoop();
  if (loop == nullptr) return;
  std::weak_ptr<CPaintManagerUI*> weak = self_;
  loop->Post([weak, work = std::move(work)] {
    auto alive = weak.lock();
    if (alive && *alive != nullptr) work();
  });
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
  if (root == nullptr) return false;
  if (root_ != nullptr && root_ != root) {
    CControlUI* old = root_;
    root_ = nullptr;
    delete old;
  }
  focus_ = hover_ = capture_ = pressed_ = nullptr;
  nameCache_.clear();
  root_ = root;
  root_->SetManager(this, nullptr, true);
  firstLayout_ = true;
  updateNeeded_ = true;
  return true;
}

CControlUI* CPaintManagerUI::FindControl(const std::string& name) const {
  if (name.empty()) return nullptr;
  const std::string key = ToLowerAscii(name);
  auto cached = nameCache_.find(key);
  if (cached != nameCache_.end()) return cached->second;
  CControlUI* found = FindSubControlByName(root_, name);
  if (found != nullptr && found->GetManager() == this) nameCache_[key] = found;
  return found;
}

void CPaintManagerUI::OnControlRenamed(CControlUI* control, const std::string& oldName) {
  auto cached = nameCache_.find(ToLowerAscii(oldName));
  if (cached != nameCache_.end() && cached->second == control) nameCache_.erase(cached);
}

CControlUI* CPaintManagerUI::FindControl(UiPoint point) const { return FindSubControlByPoint(root_, point); }

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, const std::string& name) const {
  return parent != nullptr ? parent->FindSubControl(name) : nullptr;
}

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* parent, UiPoint point) const {
  if (parent == nullptr) return nullptr;
  return parent->FindControl([point](CControlUI* c) { return c->GetPos().Contains(point); },
                             UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* parent, const std::string& className, int index) const {
  return parent != nullptr ? parent->FindSubControlByClass(className, index) : nullptr;
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
  if (control == nullptr) return;
  OnControlRenamed(control, control->GetName());
  if (focus_ == control) focus_ = nullptr;
  if (hover_ == control) hover_ = nullptr;
  if (pressed_ == control) pressed_ = nullptr;
  if (capture_ == control) {
    capture_ = nullptr;
    if (window_ != nullptr) window_->SetMouseCapture(false);
  }
  KillTimer(control);
  asyncNotify_.erase(std::remove_if(asyncNotify_.begin(), asyncNotify_.end(),
                                    [control](const TNotifyUI& msg) { return msg.pSender == control; }),
                     asyncNotify_.end());
  for (auto& [group, members] : optionGroups_) {
    members.erase(std::remove(members.begin(), members.end(), control), members.end());
  }
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
  if (control == nullptr) return;
  ReapObjects(control);
  control->SetManager(nullptr, nullptr, false);
  delayedCleanup_.push_back(control);
  if (GetLoop() == nullptr) {
    ProcessDelayedCleanup();
    return;
  }
  if (cleanupPosted_) return;
  cleanupPosted_ = true;
  PostToLoop([this] { ProcessDelayedCleanup(); });
}

void CPaintManagerUI::ProcessDelayedCleanup() {
  cleanupPosted_ = false;
  std::vector<CControlUI*> controls;
  controls.swap(delayedCleanup_);
  for (CControlUI* control : controls) delete control;
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
  if (notifier != nullptr && std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end()) {
    notifiers_.push_back(notifier);
  }
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
  notifiers_.erase(std::remove(notifiers_.begin(), notifiers_.end(), notifier), notifiers_.end());
}

void CPaintManagerUI::SendNotify(CControlUI* control, const std::string& type, UiWParam wParam, UiLParam lParam,
                                 bool async) {
  TNotifyUI msg;
  msg.sType = type;
  msg.pSender = control;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
  msg.ptMouse = mousePos_;
  if (GetLoop() != nullptr) msg.dwTimestamp = GetLoop()->NowMs();
  if (msg.pSender != nullptr && msg.sVirtualWnd.empty()) msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
  if (!async) {
    DeliverNotify(msg);
    return;
  }
  asyncNotify_.push_back(msg);
  if (asyncFlushPosted_ || GetLoop() == nullptr) return;
  asyncFlushPosted_ = true;
  PostToLoop([this] { ProcessAsyncNotifications(); });
}

void CPaintManagerUI::ProcessAsyncNotifications() {
  asyncFlushPosted_ = false;
  while (!asyncNotify_.empty()) {
    TNotifyUI msg = asyncNotify_.front();
    asyncNotify_.pop_front();
    DeliverNotify(msg);
  }
}

void CPaintManagerUI::DeliverNotify(TNotifyUI& msg) {
  if (msg.pSender != nullptr && msg.pSender->OnNotify(msg)) return;
  // A notifier may remove itself or others while it runs.
  std::vector<INotifyUI*> notifiers = notifiers_;
  for (INotifyUI* notifier : notifiers) {
    if (std::find(notifiers_.begin(), notifiers_.end(), notifier) != notifiers_.end()) notifier->Notify(msg);
  }
}

bool CPaintManagerUI::SetTimer(CControlUI* control, UiWParam id, uint32_t elapseMs) {
  MessageLoop* loop = GetLoop();
  if (control == nullptr || loop == nullptr) return false;
  KillTimer(control, id);
  std::weak_ptr<CPaintManagerUI*> weak = self_;
  TimerHandle handle = loop->StartTimer(elapseMs, [weak, control, id] {
    auto alive = weak.lock();
    if (alive && *alive != nullptr) (*alive)->FireTimer(control, id);
  });
  timers_.push_back({control, id, handle});
  return true;
}

void CPaintManagerUI::FireTimer(CControlUI* control, UiWParam id) {
  // The control may have been killed by an earlier tick in the same turn.
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const TimerInfo& t) { return t.control == control && t.id == id; });
  if (it == timers_.end()) return;
  TEventUI event;
  event.Type = UiEventType::Timer;
  event.pSender = control;
  event.wParam = id;
  event.dwTimestamp = GetLoop() != nullptr ? GetLoop()->NowMs() : 0;
  control->DoEvent(event);
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UiWParam id) {
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const TimerInfo& t) { return t.control == control && t.id == id; });
  if (it == timers_.end()) return false;
  if (GetLoop() != nullptr) GetLoop()->StopTimer(it->handle);
  timers_.erase(it);
  return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->control == control) {
      if (GetLoop() != nullptr) GetLoop()->StopTimer(it->handle);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

void CPaintManagerUI::RemoveAllTimers() {
  if (GetLoop() != nullptr) {
    for (const TimerInfo& timer : timers_) GetLoop()->StopTimer(timer.handle);
  }
  timers_.clear();
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
  if (control == focus_) return;
  if (control != nullptr && (control->GetManager() != this || !control->IsVisible() || !control->IsEnabled())) {
    return;
  }
  if (focus_ != nullptr) {
    CControlUI* old = focus_;
    focus_ = nullptr;
    TEventUI event;
    event.Type = UiEventType::KillFocus;
    event.pSender = control;
    old->DoEvent(event);
    SendNotify(old, kNotifyKillFocus);
  }
  if (control == nullptr) return;
  focus_ = control;
  TEventUI event;
  event.Type = UiEventType::SetFocus;
  event.pSender = control;
  control->DoEvent(event);
  if (focus_ == control) SendNotify(control, kNotifySetFocus);
}

void CPaintManagerUI::SetCapture(CControlUI* control) {
  capture_ = control;
  if (window_ != nullptr) window_->SetMouseCapture(control != nullptr);
}

void CPaintManagerUI::ReleaseCapture() { SetCapture(nullptr); }

bool CPaintManagerUI::AddOptionGroup(const std::string& group, CControlUI* control) {
  auto& members = optionGroups_[group];
  if (std::find(members.begin(), members.end(), control) != members.end()) return false;
  members.push_back(control);
  return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(const std::string& group) const {
  auto it = optionGroups_.find(group);
  return it == optionGroups_.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(const std::string& group, CControlUI* control) {
  auto it = optionGroups_.find(group);
  if (it == optionGroups_.end()) return;
  auto& members = it->second;
  members.erase(std::remove(members.begin(), members.end(), control), members.end());
  if (members.empty()) optionGroups_.erase(it);
}

void CPaintManagerUI::RemoveAllOptionGroups() { optionGroups_.clear(); }

void CPaintManagerUI::AddFont(int id, const std::string& face, int size, bool bold, bool underline, bool italic,
                              bool shared) {
  fonts_.AddFont(id, {face, size, bold, underline, italic, shared});
  Invalidate();
}

void CPaintManagerUI::SetDefaultFont(const std::string& face, int size, bool bold, bool underline, bool italic,
                                     bool shared) {
  fonts_.SetDefaultFont({face, size, bold, underline, italic, shared});
  Invalidate();
}

void CPaintManagerUI::RemoveAllFonts(bool shared) {
  fonts_.RemoveAllFonts(shared);
  Invalidate();
}

PangoFontDescription* CPaintManagerUI::GetFont(int id) { return fonts_.Describe(id, dpi_); }

void CPaintManagerUI::AddDefaultAttributeList(const std::string& controlName, const std::string& list, bool shared) {
  auto& table = shared ? SharedDefaultAttributes() : defaultAttributes_;
  table[ToLowerAscii(controlName)] = list;
}

const std::string* CPaintManagerUI::GetDefaultAttributeList(const std::string& controlName) const {
  const std::string key = ToLowerAscii(controlName);
  auto own = defaultAttributes_.find(key);
  if (own != defaultAttributes_.end()) return &own->second;
  auto shared = SharedDefaultAttributes().find(key);
  return shared == SharedDefaultAttributes().end() ? nullptr : &shared->second;
}

void CPaintManagerUI::RemoveAllDefaultAttributeList(bool shared) {
  (shared ? SharedDefaultAttributes() : defaultAttributes_).clear();
}

UiSize CPaintManagerUI::GetInitSize() const { return {ScaleValue(initSize_.cx), ScaleValue(initSize_.cy)}; }

UiRect CPaintManagerUI::GetCaptionRect() const {
  return {ScaleValue(caption_.left), ScaleValue(caption_.top), ScaleValue(caption_.right), ScaleValue(caption_.bottom)};
}

UiRect CPaintManagerUI::GetSizeBox() const {
  return {ScaleValue(sizeBox_.left), ScaleValue(sizeBox_.top), ScaleValue(sizeBox_.right), ScaleValue(sizeBox_.bottom)};
}

UiSize CPaintManagerUI::GetMinInfo() const { return {ScaleValue(minInfo_.cx), ScaleValue(minInfo_.cy)}; }
UiSize CPaintManagerUI::GetMaxInfo() const { return {ScaleValue(maxInfo_.cx), ScaleValue(maxInfo_.cy)}; }
UiSize CPaintManagerUI::GetRoundCorner() const { return {ScaleValue(roundCorner_.cx), ScaleValue(roundCorner_.cy)}; }

bool CPaintManagerUI::SetWindowAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "size") {
    const UiSize size = ParseSize(value);
    SetInitSize(size.cx, size.cy);
  } else if (key == "caption") {
    SetCaptionRect(ParseRect(value));
  } else if (key == "sizebox") {
    SetSizeBox(ParseRect(value));
  } else if (key == "mininfo") {
    const UiSize size = ParseSize(value);
    SetMinInfo(size.cx, size.cy);
  } else if (key == "maxinfo") {
    const UiSize size = ParseSize(value);
    SetMaxInfo(size.cx, size.cy);
  } else if (key == "roundcorner") {
    const UiSize size = ParseSize(value);
    SetRoundCorner(size.cx, size.cy);
  } else if (key == "defaultfontcolor") {
    SetDefaultFontColor(ParseColor(value));
  } else if (key == "disabledfontcolor") {
    SetDefaultDisabledColor(ParseColor(value));
  } else if (key == "selectedcolor") {
    SetDefaultSelectedBkColor(ParseColor(value));
  } else if (key == "dpi") {
    SetDPI(ParseInt(value));
  } else if (key == "showdirty" || key == "bktrans" || key == "alpha" || key == "layered" || key == "opacity" ||
             key == "shadow" || key == "gdiplustext" || key == "trans") {
    // Accepted for compatibility with existing layouts; they do not change rendering here.
  } else {
    return false;
  }
  return true;
}

void CPaintManagerUI::SetDPI(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  ResetDPIAssets();
}

void CPaintManagerUI::SetAllDPI(int dpi) {
  for (CPaintManagerUI* manager : AllManagers()) manager->SetDPI(dpi);
}

void CPaintManagerUI::ResetDPIAssets() {
  fonts_.ResetCache();
  ImageCache::Instance().Clear();
  if (root_ != nullptr) root_->NeedUpdate();
  updateNeeded_ = true;
  Invalidate();
}

int CPaintManagerUI::ScaleValue(int value) const {
  if (dpi_ == 96) return value;
  const long long scaled = static_cast<long long>(value) * dpi_;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}

void CPaintManagerUI::SetClientSize(int cx, int cy) {
  if (clientSize_ == UiSize{cx, cy}) return;
  clientSize_ = {cx, cy};
  updateNeeded_ = true;
  Invalidate();
  if (root_ != nullptr && !firstLayout_) SendNotify(root_, kNotifyWindowSize, 0, 0, true);
}

void CPaintManagerUI::UpdateLayout() {
  if (root_ == nullptr) return;
  const UiRect client{0, 0, clientSize_.cx, clientSize_.cy};
  if (updateNeeded_ || root_->IsUpdateNeeded() || !(root_->GetPos() == client)) {
    updateNeeded_ = false;
    root_->SetPos(client, false);
  }
  if (firstLayout_) {
    firstLayout_ = false;
    SendNotify(root_, kNotifyWindowInit);
  }
}

void CPaintManagerUI::Invalidate() { Invalidate({0, 0, clientSize_.cx, clientSize_.cy}); }

void CPaintManagerUI::Invalidate(const UiRect& rc) {
  if (window_ != nullptr && !rc.IsEmpty()) window_->Invalidate({rc.left, rc.top, rc.right, rc.bottom});
}

void CPaintManagerUI::Paint(cairo_t* cr, const UiRect& dirty) {
  UpdateLayout();
  if (root_ == nullptr) return;
  root_->DoPaint(cr, dirty);
}

void CPaintManagerUI::InvalidateAll() {
  for (CPaintManagerUI* manager : AllManagers()) {
    if (manager->root_ != nullptr) manager->root_->NeedUpdate();
    manager->Invalidate();
  }
}

const std::vector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers() { return AllManagers(); }

MenuCmd* CPaintManagerUI::CreateMenuCmd() {
  menuCmds_.push_back(std::make_unique<MenuCmd>());
  return menuCmds_.back().get();
}

void CPaintManagerUI::DeletePtr(void* ptr) {
  menuCmds_.erase(std::remove_if(menuCmds_.begin(), menuCmds_.end(),
                                 [ptr](const std::unique_ptr<MenuCmd>& cmd) { return cmd.get() == ptr; }),
                  menuCmds_.end());
}

void CPaintManagerUI::SetClipboardText(const std::string& text) {
  if (host_ != nullptr) host_->SetClipboardText(text);
}

std::string CPaintManagerUI::GetClipboardText() { return host_ != nullptr ? host_->ClipboardText() : std::string(); }

void CPaintManagerUI::SetCursor(HostCursor cursor) {
  if (window_ != nullptr) window_->SetCursor(cursor);
}

}  // namespace velmora::toolkit
