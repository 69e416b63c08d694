// Check + evaluate, the work of one press of Enter, on expressions of 10 to
// 1,000,000 characters, in classic and in exact arithmetic; beside it muparser
// parsing and evaluating the same text
// once, where its grammar allows.
//
// Counters: ns_per_char is the time per character of the expression in nanoseconds
// (the library prints it with an "s" for the time unit); peak_rss_MB
// is the process's peak resident size after the run.

#include <benchmark/benchmark.h>
#include <muParser.h>
#include <sys/resource.h>

#include <string>

#include "Calculation.h"
#include "Prompts.h"

namespace {

// 1+2+3+... with numbers of one to five digits.
std::string MakeSum(size_t length) {
  std::string text = "1";
  for (unsigned i = 2; text.size() < length; ++i) {
    text += '+';
    text += std::to_string(i % 99991);
  }
  return text;
}

// + - * / ^ with decimals; small exponents keep every value finite.
std::string MakeMixed(size_t length) {
  static const char* pieces[] = {"+12.5", "*3", "-4.25", "/7", "^2", "+0.5", "*1.5", "-3"};
  std::string text = "2";
  for (unsigned i = 0; text.size() < length; ++i)
    text += pieces[i % 8];
  return text;
}

// ((((1+2)*3-4)/5+...) : every step opens one more parenthesis level.
std::string MakeNested(size_t length) {
  static const char* steps[] = {"+2)", "*3)", "-4)", "/5)"};
  const size_t depth = length / 4;
  std::string text(depth, '(');
  text += "1";
  for (size_t i = 0; i < depth; ++i)
    text += steps[i % 4];
  return text;
}

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void SetCounters(benchmark::State& state, size_t characters) {
  state.counters["ns_per_char"] =
      benchmark::Counter(static_cast<double>(characters) * 1e-9,
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

template <std::string (*Make)(size_t), Arithmetic arithmetic = Arithmetic::kClassic>
void CheckAndEvaluate(benchmark::State& state) {
  const std::string text = Make(static_cast<size_t>(state.range(0)));
  EvaluationStacks stacks;
  for (auto _ : state) {
    Calculation calculation = Calculate(text, "%0.3f", stacks, arithmetic);
    if (!calculation.check.passed) {
      state.SkipWithError(RenderPrompt(calculation.check).c_str());
      break;
    }
    benchmark::DoNotOptimize(calculation.result);
  }
  SetCounters(state, text.size());
}

template <std::string (*Make)(size_t)>
void MuparserOnce(benchmark::State& state) {
  const std::string text = Make(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    try {
      mu::Parser parser;
      parser.SetExpr(text);
      double value = parser.Eval();
      benchmark::DoNotOptimize(value);
    } catch (const mu::Parser::exception_type& e) {
      state.SkipWithError(e.GetMsg().c_str());
      break;
    }
  }
  SetCounters(state, text.size());
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->RangeMultiplier(10)->Range(10, 1'000'000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(CheckAndEvaluate<MakeSum>)->Name("Tallywise/sum")->Apply(Sizes);
BENCHMARK(MuparserOnce<MakeSum>)->Name("muparser/sum")->Apply(Sizes);
BENCHMARK(CheckAndEvaluate<MakeMixed>)->Name("Tallywise/mixed")->Apply(Sizes);
BENCHMARK(MuparserOnce<MakeMixed>)->Name("muparser/mixed")->Apply(Sizes);
BENCHMARK(CheckAndEvaluate<MakeNested>)->Name("Tallywise/nested")->Apply(Sizes);
// Exact arithmetic (the check, then the exact evaluation) on the texts whose
// values stay within its bounds.
BENCHMARK(CheckAndEvaluate<MakeSum, Arithmetic::kExact>)->Name("Tallywise-exact/sum")->Apply(Sizes);
BENCHMARK(CheckAndEvaluate<MakeMixed, Arithmetic::kExact>)->Name("Tallywise-exact/mixed")->Apply(Sizes);
BENCHMARK(MuparserOnce<MakeNested>)->Name("muparser/nested")->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
