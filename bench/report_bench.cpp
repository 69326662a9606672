// The summary report: a six-page job (global page and channels A..E) written as a PDF file, and
// the same job as text. The first PDF of a run also loads the fonts; it is timed on its own.
// Runs on the offscreen platform unless one is chosen:
//   report_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "core/ImageOperations.h"
#include "report/ReportJob.h"
#include "support/TempDir.h"

namespace mx::report {
namespace {

ReportJob SixPages() {
  ReportJob job;
  ResetImageToDefaults(job.image, 5);
  job.image.SetText(fld::description, "Bench: line 4, station 2");
  job.model = 5;
  job.fileName = "bench.mxs";
  job.pageKinds.assign(kPageKinds.begin(), kPageKinds.end());
  job.texts = TakeJobTexts();
  return job;
}

void WritePdf(benchmark::State& state) {
  const test::TempDir dir;
  const ReportJob job = SixPages();
  for (auto _ : state) {
    if (!WriteReportPdf(dir.File("bench.pdf"), job).ok)
      state.SkipWithError("the PDF was not written");
  }
}

void BM_FirstSixPagePdf(benchmark::State& state) {
  WritePdf(state);
}
BENCHMARK(BM_FirstSixPagePdf)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WriteSixPagePdf(benchmark::State& state) {
  WritePdf(state);
}
BENCHMARK(BM_WriteSixPagePdf)->Unit(benchmark::kMillisecond);

void BM_SixPageText(benchmark::State& state) {
  const ReportJob job = SixPages();
  for (auto _ : state)
    benchmark::DoNotOptimize(ReportText(job));
}
BENCHMARK(BM_SixPageText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mx::report

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
