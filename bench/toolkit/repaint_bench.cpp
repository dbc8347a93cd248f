// Full repaint of a 1000 x 640 window holding 170 image buttons, each with a label, into a
// cairo image surface through the toolkit's layout, paint manager and render engine. The
// window is built and laid out once; each iteration paints every pixel again. Two variants
// paint only the images or only the texts, to show where the time goes.

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <string>

#include "toolkit/dialog_builder.h"
#include "toolkit/paint_manager.h"

namespace {

using velmora::toolkit::CDialogBuilder;
using velmora::toolkit::CPaintManagerUI;

constexpr int kWidth = 1000, kHeight = 640;
constexpr int kRows = 10, kColumns = 17;  // 170 cells

// Which layers the cells paint, so the images' and the texts' shares can be told apart.
enum class Layers { ImagesAndText, ImagesOnly, TextOnly };

std::string Cell(int index, Layers layers) {
  const std::string image = layers == Layers::TextOnly ? "" : "file='images/btn_normal.png' corner='8,8,8,8'";
  const std::string buttonText = layers == Layers::ImagesOnly ? "" : std::to_string(index);
  const std::string labelText = layers == Layers::ImagesOnly ? "" : "Key " + std::to_string(index);
  return "<VerticalLayout childpadding=\"2\">"
         "<Button name=\"button" + std::to_string(index) + "\" height=\"36\" normalimage=\"" + image +
         "\" text=\"" + buttonText + "\" textcolor=\"#FFFFFFFF\"/>"
         "<Label height=\"20\" text=\"" + labelText + "\" align=\"center\"/>"
         "</VerticalLayout>";
}

std::string Layout(Layers layers) {
  std::string xml = "<Window size=\"1000,640\"><Font id=\"0\" name=\"DejaVu Sans\" size=\"12\" default=\"true\"/>"
                    "<VerticalLayout bkcolor=\"#FF1F2229\" inset=\"4,4,4,4\" childpadding=\"4\">";
  for (int row = 0; row < kRows; ++row) {
    xml += "<HorizontalLayout childpadding=\"4\">";
    for (int column = 0; column < kColumns; ++column) xml += Cell(row * kColumns + column, layers);
    xml += "</HorizontalLayout>";
  }
  return xml + "</VerticalLayout></Window>";
}

void Repaint(benchmark::State& state, Layers layers) {
  CPaintManagerUI::SetResourcePath(VELMORA_BENCH_SKIN_DIR);
  CPaintManagerUI manager;
  manager.Init(nullptr, nullptr, "bench");
  CDialogBuilder builder;
  if (!manager.AttachDialog(builder.Create(Layout(layers), std::string(), nullptr, &manager))) {
    state.SkipWithError("the layout did not build");
    return;
  }
  manager.SetClientSize(kWidth, kHeight);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  manager.Paint(cr, {0, 0, kWidth, kHeight});  // loads the images and fonts once
  for (auto _ : state) {
    manager.Paint(cr, {0, 0, kWidth, kHeight});
    cairo_surface_flush(surface);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

// The figure that counts: 170 image buttons with their labels.
void BM_FullRepaint(benchmark::State& state) { Repaint(state, Layers::ImagesAndText); }
void BM_FullRepaintImagesOnly(benchmark::State& state) { Repaint(state, Layers::ImagesOnly); }
void BM_FullRepaintTextOnly(benchmark::State& state) { Repaint(state, Layers::TextOnly); }

BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_FullRepaintImagesOnly)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_FullRepaintTextOnly)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
