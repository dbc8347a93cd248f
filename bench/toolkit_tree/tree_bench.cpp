// How the control tree scales with the size of a page: building a layout document, a full
// relayout, a name lookup (a depth-first walk) and a mouse move over the page.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "toolkit/dialog_builder.h"
#include "toolkit/paint_manager.h"

namespace velmora::toolkit {
namespace {

// A page of rows, each a horizontal layout with a label, a button and an option: 3 controls
// plus the row per entry, like a device page's key and light lists.
std::string PageLayout(int rows) {
  std::string xml = R"(<Window><VerticalLayout name="root" vscrollbar="true" inset="4,4,4,4" childpadding="2">)";
  for (int i = 0; i < rows; ++i) {
    const std::string n = std::to_string(i);
    xml += "<HorizontalLayout name=\"row_" + n + "\" height=\"24\" childpadding=\"4\">"
           "<Label name=\"label_" + n + "\" text=\"Key " + n + "\" width=\"80\"/>"
           "<Button name=\"key_" + n + "\" text=\"Set\" width=\"60\"/>"
           "<Option name=\"color_option_" + n + "\" group=\"colors\"/></HorizontalLayout>";
  }
  return xml + "</VerticalLayout></Window>";
}

void BM_BuildLayout(benchmark::State& state) {
  const std::string xml = PageLayout(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    manager.AttachDialog(builder.Create(xml, "", nullptr, &manager));
    benchmark::DoNotOptimize(manager.GetRoot());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_BuildLayout)->Arg(50)->Arg(500);

class Page {
 public:
  explicit Page(int rows) {
    CDialogBuilder builder;
    manager.AttachDialog(builder.Create(PageLayout(rows), "", nullptr, &manager));
    manager.SetClientSize(800, 600);
    manager.UpdateLayout();
  }
  CPaintManagerUI manager;
};

void BM_Relayout(benchmark::State& state) {
  Page page(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    page.manager.NeedUpdate();
    page.manager.UpdateLayout();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_Relayout)->Arg(50)->Arg(500);

void BM_FindControlByName(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Page page(rows);
  const std::string last = "color_option_" + std::to_string(rows - 1);  // the worst case: the last control
  for (auto _ : state) benchmark::DoNotOptimize(page.manager.FindControl(last));
}
BENCHMARK(BM_FindControlByName)->Arg(50)->Arg(500);

void BM_MouseMoveHitTest(benchmark::State& state) {
  Page page(static_cast<int>(state.range(0)));
  HostInputEvent move;
  move.type = HostInputType::MouseMove;
  int y = 0;
  for (auto _ : state) {
    move.x = 100;
    move.y = (y += 7) % 600;
    page.manager.HandleInput(move);
  }
}
BENCHMARK(BM_MouseMoveHitTest)->Arg(50)->Arg(500);

}  // namespace
}  // namespace velmora::toolkit

BENCHMARK_MAIN();
