// How long the file work of mxtool takes per file: checksum, open, export and import.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/ImageOperations.h"
#include "core/SetupDocument.h"
#include "json/ImageJson.h"
#include "support/TempDir.h"

namespace {

using namespace mx;

std::string SavedFile(const test::TempDir& dir) {
  EditorHooks editor;
  editor.SelectLoadedModel(5);
  SetupDocument document(editor);
  document.NewDocument();
  document.Image().SetText(fld::description, "bench");
  const std::string path = dir.File("bench.mxs");
  if (!document.Save(path).ok)
    std::abort();  // nothing to measure without the file
  return path;
}

void BM_ImageChecksum(benchmark::State& state) {
  ParameterImage image;
  ResetImageToDefaults(image, 5);
  for (auto _ : state)
    benchmark::DoNotOptimize(ImageChecksum(image));
}
BENCHMARK(BM_ImageChecksum);

void BM_OpenFile(benchmark::State& state) {
  test::TempDir dir;
  const std::string path = SavedFile(dir);
  EditorHooks editor;
  SetupDocument document(editor);
  for (auto _ : state)
    benchmark::DoNotOptimize(document.Open(path));
}
BENCHMARK(BM_OpenFile);

// What `mxtool export` does per file, without process start-up.
void BM_ExportFile(benchmark::State& state) {
  test::TempDir dir;
  const std::string path = SavedFile(dir);
  EditorHooks editor;
  SetupDocument document(editor);
  for (auto _ : state) {
    if (document.Open(path) != LoadOutcome::Opened)
      state.SkipWithError("the saved file does not open");
    const QByteArray text =
        ImageJsonText(ImageToJson(document.Image(), document.Extension(), true));
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_ExportFile);

void BM_ImportJson(benchmark::State& state) {
  ParameterImage image;
  ResetImageToDefaults(image, 5);
  ExtensionBlock extension;
  extension.ResetToDefaults();
  const QByteArray text = ImageJsonText(ImageToJson(image, extension, true));
  for (auto _ : state)
    benchmark::DoNotOptimize(ImageFromJson(text).ok);
}
BENCHMARK(BM_ImportJson);

}  // namespace

BENCHMARK_MAIN();
