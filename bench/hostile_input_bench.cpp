// Inputs built to take time or memory: a settings file with one line of a megabyte, and
// .xlsx files of a few megabytes that unpack to hundreds (refused) or that fill every cell
// with text up to the bounds (read). Each reports the process's peak memory ("peak_MB"): the
// .xlsx reader is meant to stay under 512 MB and 5 s on any file up to 10 MB.

#include "controls/batch_dialogs.h"
#include "files/workbook.h"
#include "model/model_state.h"
#include "model/settings_file.h"

#include "bench/scratch_folder.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_SettingsFileWithOneLongLine(benchmark::State& state) {
  const auto name = plumetra::bench::scratchFolder() / "Long";
  std::ofstream(name.string() + ".stg", std::ios::binary)
      << "Farm\r\n\"Flock Sex\"\r\nX\r\n\"Target Weight\"\r\n" << std::string(static_cast<std::size_t>(state.range(0)), ' ')
      << "2.5\r\n\"No of Diets\"\r\n 3 \r\n";
  std::ostringstream nowhere;
  plumetra::BatchDialogs dialogs(nowhere);
  for (auto _ : state) {
    auto model = std::make_unique<plumetra::ModelState>();
    benchmark::DoNotOptimize(plumetra::ReadSettingsFile(*model, name, dialogs));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SettingsFileWithOneLongLine)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity();

std::string repeated(std::string_view item, std::size_t times) {
  std::string out;
  out.reserve(item.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += item;
  return out;
}

// A one-sheet package with the given sheet rows and shared strings.
std::filesystem::path package(const std::string& name, const std::string& rows, const std::string& strings) {
  const auto path = plumetra::bench::scratchFolder() / name;
  const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string parts[][2] = {
      {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"r1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", "<workbook xmlns=\"" + ns + "\" xmlns:r=\"" + rel +
                              "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"r1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"r1\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
       "<Relationship Id=\"r2\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + ns + "\"><sheetData>" + rows + "</sheetData></worksheet>"},
      {"xl/sharedStrings.xml", "<sst xmlns=\"" + ns + "\">" + strings + "</sst>"}};
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  for (const auto& [part, contents] : parts)
    zip_file_add(archive, part.c_str(), zip_source_buffer(archive, contents.data(), contents.size(), 0), 0);
  zip_close(archive);
  return path;
}

void readEverySheet(benchmark::State& state, const std::filesystem::path& path) {
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
  for (auto _ : state) {
    auto book = plumetra::openWorkbook(path);
    if (book.ok()) benchmark::DoNotOptimize(book.get()->readSheet("Data"));
  }
  state.counters["peak_MB"] = peakMegabytes();
}

// 190 MB of rows: refused as soon as the unpacked size passes its bound.
void BM_XlsxInflatingSheet(benchmark::State& state) {
  static const auto path = package("inflating.xlsx", repeated("<row></row>", 190 * 1024 * 1024 / 11), "<si/>");
  readEverySheet(state, path);
}
BENCHMARK(BM_XlsxInflatingSheet)->Unit(benchmark::kMillisecond);

// Empty cells just under the parse bound: the most a sheet part can make the parser hold.
void BM_XlsxManyElements(benchmark::State& state) {
  static const auto path = package("elements.xlsx", repeated("<c/>", 1'400'000), "<si/>");
  readEverySheet(state, path);
}
BENCHMARK(BM_XlsxManyElements)->Unit(benchmark::kMillisecond);

// One shared string of 32767 characters in 20 x 128 cells: refused at 64 MB of sheet text.
void BM_XlsxLongStringInEveryCell(benchmark::State& state) {
  static const auto path = package("long_strings.xlsx", repeated("<row>" + repeated(R"(<c t="s"><v>0</v></c>)", 128) + "</row>", 20),
                                   "<si><t>" + std::string(32767, 'x') + "</t></si>");
  readEverySheet(state, path);
}
BENCHMARK(BM_XlsxLongStringInEveryCell)->Unit(benchmark::kMillisecond);

}  // namespace
