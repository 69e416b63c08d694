// The engine of today against the engine with two paths (two-path/), on texts
// made to reach every rule, every normalisation and every fault: both must give
// the same prompt and mark, the same value and the same faults at the same places.
//
// The count of random texts is small enough for every test run; set
// TALLYWISE_COMPARED_TEXTS to compare more, and every text of up to five
// characters is then taken over the whole alphabet.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "Calculation.h"
#include "ExpressionGenerator.h"
#include "two-path/Calculation.h"

namespace {

// Every character the engine tells apart, the ones normalising takes out, and one
// it does not know.
const std::string kFullAlphabet = "0123456789.,+-*/%^#() \r\nx";
// The same with one digit standing for the others but 0, for the tests' own runs.
const std::string kShortAlphabet = "019.,+-*/%^#() \r\nx";

long long ComparedTextsAsked() {
  const char* asked = std::getenv("TALLYWISE_COMPARED_TEXTS");
  return asked ? std::atoll(asked) : 0;
}

class Comparison {
public:
  void Expect(const std::string& text) {
    ++m_compared;
    const std::string format = MakeFormat();
    const Calculation now = Calculate(text, format, m_stacks);
    const two_path::Calculation before = two_path::Calculate(text, format, m_stacksBefore);
    const std::string shown = testing::PrintToString(text);
    ASSERT_EQ(now.check.passed, before.check.passed) << shown;
    ASSERT_EQ(static_cast<int>(now.check.prompt), static_cast<int>(before.check.prompt)) << shown;
    ASSERT_EQ(now.check.named, before.check.named) << shown;
    ASSERT_EQ(now.check.mark.has_value(), before.check.mark.has_value()) << shown;
    if (now.check.mark) {
      ASSERT_EQ(now.check.mark->start, before.check.mark->start) << shown;
      ASSERT_EQ(now.check.mark->end, before.check.mark->end) << shown;
    }
    ASSERT_EQ(now.result, before.result) << shown;
    ExpectSameFaults(now.faults, before.faults, shown);

    // The evaluation alone also meets texts the checker rejects.
    const Evaluation evaluated = EvaluateExpression(text, format, m_stacks);
    const two_path::Evaluation evaluatedBefore = two_path::EvaluateExpression(text, format, m_stacksBefore);
    ASSERT_EQ(evaluated.result, evaluatedBefore.result) << shown;
    ExpectSameFaults(evaluated.faults, evaluatedBefore.faults, shown);
    m_rejected += !now.check.passed;
    m_faulted += !now.faults.empty();
  }

  long long compared() const { return m_compared; }
  long long rejected() const { return m_rejected; }
  long long faulted() const { return m_faulted; }

private:
  std::string MakeFormat() { return "%0." + std::to_string(m_compared % 10) + "f"; }

  static void ExpectSameFaults(const std::vector<FaultMet>& now, const std::vector<two_path::FaultMet>& before,
                               const std::string& shown) {
    ASSERT_EQ(now.size(), before.size()) << shown;
    for (size_t i = 0; i < now.size(); ++i) {
      ASSERT_EQ(static_cast<int>(now[i].kind), static_cast<int>(before[i].kind)) << shown << " fault " << i;
      ASSERT_EQ(now[i].position, before[i].position) << shown << " fault " << i;
    }
  }

  EvaluationStacks m_stacks;
  two_path::EvaluationStacks m_stacksBefore;
  long long m_compared = 0;
  long long m_rejected = 0;
  long long m_faulted = 0;
};

void VisitEveryText(const std::string& alphabet, int longest, const std::function<void(const std::string&)>& visit) {
  std::string text;
  std::function<void(int)> extend = [&](int left) {
    visit(text);
    if (left == 0 || testing::Test::HasFatalFailure()) return;
    for (char c : alphabet) {
      text.push_back(c);
      extend(left - 1);
      text.pop_back();
    }
  };
  extend(longest);
}

// Texts of every kind of trouble: valid expressions a little damaged, deep
// nesting, long numbers, commas, blanks, line breaks and bytes of every value.
class TroubleGenerator {
public:
  explicit TroubleGenerator(uint64_t seed) : m_expressions(seed), m_random(seed + 1) {}

  std::string Next() {
    switch (Pick(6)) {
      case 0: return Damaged(m_expressions.Next(6));
      case 1: return Nested();
      case 2: return Pieces();
      default: return Damaged(m_expressions.Next());
    }
  }

private:
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

  std::string Damaged(std::string text) {
    static const std::string pieces = "0123456789.,+-*/%^#()( ) \r\n\t\x80x";
    for (size_t damage = Pick(4); damage > 0 && !text.empty(); --damage) {
      const size_t at = Pick(text.size());
      const char piece = Pick(20) == 0 ? static_cast<char>(Pick(256)) : pieces[Pick(pieces.size())];
      switch (Pick(3)) {
        case 0: text[at] = piece; break;
        case 1: text.insert(at, 1, piece); break;
        default: text.erase(at, 1); break;
      }
    }
    return text;
  }

  std::string Nested() {
    const size_t depth = 1 + Pick(200);
    std::string text;
    for (size_t i = 0; i < depth; ++i)
      text += Pick(5) == 0 ? "(-" : Pick(3) == 0 ? "2*(" : "(";
    text += Number();
    for (size_t i = 0; i < depth; ++i)
      text += Pick(4) == 0 ? ")/0" : Pick(3) == 0 ? ")^3" : ")";
    return Damaged(text);
  }

  std::string Number() {
    std::string number;
    const size_t digits = Pick(4) == 0 ? 1 + Pick(40) : 1 + Pick(6);
    for (size_t i = 0; i < digits; ++i) {
      number += static_cast<char>('0' + Pick(10));
      if (Pick(8) == 0) number += Pick(2) ? "." : ",";
      if (Pick(20) == 0) number += Pick(2) ? " " : "\r\n";
    }
    return number;
  }

  std::string Pieces() {
    static const char* pieces[] = {"+", "-", "*", "/", "%", "^", "#", "(", ")", " ", "\r", "\n", "\r\n", ",", ".", "0", "1e5", "\t"};
    std::string text;
    for (size_t count = Pick(16); count > 0; --count)
      text += Pick(3) == 0 ? Number() : pieces[Pick(std::size(pieces))];
    return text;
  }

  ExpressionGenerator m_expressions;
  std::mt19937_64 m_random;
};

TEST(TwoPathComparison, EveryShortTextGetsTheSameAnswers) {
  Comparison comparison;
  const bool full = ComparedTextsAsked() > 0;
  VisitEveryText(full ? kFullAlphabet : kShortAlphabet, full ? 5 : 4,
                 [&](const std::string& text) { comparison.Expect(text); });
  std::printf("compared %lld short texts\n", comparison.compared());
  EXPECT_GT(comparison.rejected(), 0);
}

TEST(TwoPathComparison, TextsOfEveryKindOfTroubleGetTheSameAnswers) {
  Comparison comparison;
  TroubleGenerator generator(2024);
  const long long count = ComparedTextsAsked() > 0 ? ComparedTextsAsked() : 30000;
  for (long long i = 0; i < count && !testing::Test::HasFatalFailure(); ++i)
    comparison.Expect(generator.Next());
  std::printf("compared %lld generated texts: %lld rejected, %lld with faults\n", comparison.compared(),
              comparison.rejected(), comparison.faulted());
  // Both answers, and faults, must be common, or the comparison says little.
  EXPECT_GT(comparison.rejected(), count / 10);
  EXPECT_LT(comparison.rejected(), count * 9 / 10);
  EXPECT_GT(comparison.faulted(), count / 100);
}

}  // namespace
