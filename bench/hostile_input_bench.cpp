// Inputs built to take time or memory, one or more for each reader of outside data: text
// tables with a row of 100 000 commas or a million rows of ambiguous numbers, a text file past
// the size bound, settings, diet and Predict.txt files with one line of a megabyte, .xls
// read-outs of many sheets, and .xlsx files of a few megabytes that unpack to hundreds
// (refused) or that fill every cell with text up to the bounds (read). Each reports the
// process's peak memory so far ("peak_MB"): every reader is meant to stay under 512 MB and
// 5 s on any input, and to refuse one past its bounds in under a second.

#include "calibration/predict_file.h"
#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "files/workbook.h"
#include "files/xls_readout.h"
#include "model/model_state.h"
#include "model/settings_file.h"
#include "workspace/diet_file.h"
#include "workspace/flock_table.h"
#include "workspace/text_table.h"

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
    benchmark::DoNotOptimize(plumetra::readSettingsFile(*model, name, dialogs));
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

// A flock table as the loading step reads it: 500 rows of 101 columns at most.
void readFlockTable(benchmark::State& state, const std::string& bytes) {
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
  for (auto _ : state)
    benchmark::DoNotOptimize(plumetra::readTextTable(bytes, 0, plumetra::MaxFileFlocks + 1, plumetra::MaxGridColumns));
  state.counters["peak_MB"] = peakMegabytes();
}

const std::string FlockRow = "Pine Valley,1,X,2024-01-19,35548,43,2.618,1.690,0.396,1.510,1.812,0.706,20.3\n";

// 499 ordinary rows and one of 100 000 commas among them.
void BM_TextTableWideRow(benchmark::State& state) {
  static const std::string bytes =
      "Farm,House,Sex,Date,Birds,Age,Weight,Convix,Starter,Grower,Finisher,Withdrawal,Density\n" +
      repeated(FlockRow, 250) + std::string(100'000, ',') + "\n" + repeated(FlockRow, 249);
  readFlockTable(state, bytes);
}
BENCHMARK(BM_TextTableWideRow)->Unit(benchmark::kMillisecond);

// Rows of numbers whose digit grouping only their column settles ("2,650"), far past the 499
// flocks read.
void BM_TextTableManyRows(benchmark::State& state) {
  const std::string bytes = "Farm,Weight,Birds\n" + repeated("Pine,\"2,650\",\"35,548\"\n", static_cast<std::size_t>(state.range(0)));
  readFlockTable(state, bytes);
}
BENCHMARK(BM_TextTableManyRows)->Arg(80'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A text file one byte past the bound (sparse, so it takes no disk): refused by its size.
void BM_TextFilePastTheBound(benchmark::State& state) {
  const auto path = plumetra::bench::scratchFolder() / "huge.csv";
  std::ofstream(path, std::ios::binary) << "Farm,Weight\n";
  std::filesystem::resize_file(path, plumetra::MaxTextFileBytes + 1);
  for (auto _ : state) benchmark::DoNotOptimize(plumetra::readTextFile(path));
  state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_TextFilePastTheBound)->Unit(benchmark::kMillisecond);

// A diet file whose energy line is a megabyte of blanks before its value.
void BM_DietFileWithOneLongLine(benchmark::State& state) {
  const std::string diet = "Diet Type\tStarter\r\nDiet Change\tday 0\r\nFeed Cost\t0.385\r\nFeed Weight\t0.45\r\nEnergy\t" +
                           std::string(1'000'000, ' ') + "2975\r\n" + repeated("Protein\t1\r\n", 13);
  for (auto _ : state) benchmark::DoNotOptimize(plumetra::parseDietFile(diet));
  state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_DietFileWithOneLongLine)->Unit(benchmark::kMillisecond);

// A "Predict.txt" whose first values line holds a megabyte of numbers.
void BM_PredictFileWithOneLongLine(benchmark::State& state) {
  const auto path = plumetra::bench::scratchFolder() / "Predict.txt";
  std::ofstream(path, std::ios::binary) << "\"Bottom\"\r\n" << repeated(" 40 ,", 200'000) << "\r\n";
  for (auto _ : state) {
    plumetra::CalibrationRecord record;
    benchmark::DoNotOptimize(plumetra::readPredictFile(record, path));
  }
  state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_PredictFileWithOneLongLine)->Unit(benchmark::kMillisecond);

// .xls read-outs as the reader program hands them over: seven sheets with a cell at each far
// corner (a few bytes each, a full sheet each once padded: refused), and one full sheet of
// numbers (read).
void readXlsReadout(benchmark::State& state, const std::string& readout) {
  state.counters["readout_MB"] = static_cast<double>(readout.size()) / (1024.0 * 1024.0);
  for (auto _ : state) benchmark::DoNotOptimize(plumetra::decodeXlsReadout(readout));
  state.counters["peak_MB"] = peakMegabytes();
}

void BM_XlsReadoutManySheets(benchmark::State& state) {
  std::string readout;
  for (int s = 0; s < 7; ++s)
    readout += "sheet 1:" + std::to_string(s) + "\nnum 0 0 1\nnum " + std::to_string(plumetra::MaxSheetRows - 1) + " " +
               std::to_string(plumetra::MaxSheetCols - 1) + " 1\nend\n";
  readXlsReadout(state, readout + "done\n");
}
BENCHMARK(BM_XlsReadoutManySheets)->Unit(benchmark::kMillisecond);

void BM_XlsReadoutFullSheet(benchmark::State& state) {
  static const std::string readout = [] {
    std::string text = "sheet 4:Data\n";
    for (int row = 0; row < plumetra::MaxSheetRows; ++row)
      for (int col = 0; col < plumetra::MaxSheetCols; ++col)
        text += "num " + std::to_string(row) + ' ' + std::to_string(col) + " 2.618\n";
    return text + "end\ndone\n";
  }();
  readXlsReadout(state, readout);
}
BENCHMARK(BM_XlsReadoutFullSheet)->Unit(benchmark::kMillisecond);

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
