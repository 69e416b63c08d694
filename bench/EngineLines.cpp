// The engine alone over a file of expressions, one a line: check + evaluate in
// process, with the text already in memory. Prints the seconds that took, wall
// clock and processor time, the yardstick for tallywise-eval on the same file
// (bench/cli-vs-bc.sh).
//
//   engine_lines FILE [DECIMALS] [exact]

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "Calculation.h"
#include "NumberWriting.h"

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r' && lf != std::string_view::npos) line.remove_suffix(1);
    lines.push_back(line);
    if (lf == std::string_view::npos) break;
    text.remove_prefix(lf + 1);
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: engine_lines FILE [DECIMALS] [exact]\n", stderr);
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (!file) {
    std::fprintf(stderr, "engine_lines: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<std::string_view> lines = SplitLines(text);
  const std::string format = MakeNumberFormat(argc > 2 ? std::atoi(argv[2]) : 3);
  const Arithmetic arithmetic = argc > 3 && std::string_view(argv[3]) == "exact" ? Arithmetic::kExact : Arithmetic::kClassic;

  EvaluationStacks stacks;
  size_t accepted = 0;
  size_t resultCharacters = 0;
  const std::clock_t processorStart = std::clock();
  const auto start = std::chrono::steady_clock::now();
  for (std::string_view line : lines) {
    const Calculation calculation = Calculate(line, format, stacks, arithmetic);
    if (!calculation.check.passed) continue;
    ++accepted;
    resultCharacters += calculation.result.size();
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const double processorSeconds = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
  std::printf("%.3f %.3f\n", seconds.count(), processorSeconds);
  std::fprintf(stderr, "engine_lines: %zu lines, %zu accepted, %zu result characters\n", lines.size(), accepted,
               resultCharacters);
  return 0;
}
