// Random expressions of the calculator's language for the differential and
// robustness tests: numbers in every written form, all seven operators, signs,
// nested parentheses, and blanks or line breaks between the pieces.
#pragma once

#include <random>
#include <string>

class ExpressionGenerator {
public:
  explicit ExpressionGenerator(uint64_t seed) : m_random(seed) {}

  std::string Next(int maxDepth = 4) {
    std::string text;
    if (Chance(15)) text += Chance(50) ? '-' : '+';
    AppendSum(text, maxDepth);
    return text;
  }

private:
  bool Chance(int percent) { return Pick(100) < percent; }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

  void AppendGap(std::string& text) {
    if (Chance(10)) text += ' ';
    if (Chance(3)) text += "\r\n";
  }

  void AppendNumber(std::string& text, bool small) {
    const auto below = [&](int n) { return std::to_string(Pick(n)); };
    switch (Pick(small ? 3 : 9)) {
      case 0: text += below(4); break;  // zeros and small whole numbers
      case 1: text += below(10); break;
      case 2: text += below(7) + (Chance(50) ? ".5" : ",25"); break;
      case 3: text += below(100000); break;
      case 4: text += std::string("0.").append(static_cast<size_t>(Pick(7)), '0') + std::to_string(1 + Pick(9)); break;
      case 5: text += below(1000) + "." + below(1000000); break;
      case 6: text += std::string(".") + below(100); break;
      case 7: text += below(100) + (Chance(50) ? "." : " , 5"); break;  // a point at the end, a comma set apart
      default: text += std::to_string(1 + Pick(3)).append(static_cast<size_t>(Pick(20)), '0'); break;
    }
  }

  void AppendOperand(std::string& text, int depth, bool small) {
    AppendGap(text);
    if (depth > 0 && Chance(25)) {
      text += '(';
      if (Chance(20)) text += Chance(50) ? '-' : '+';
      AppendSum(text, depth - 1);
      text += ')';
    } else {
      AppendNumber(text, small);
    }
    AppendGap(text);
  }

  void AppendSum(std::string& text, int depth) {
    static const char operators[] = "+-*/%^#";
    AppendOperand(text, depth, false);
    const int count = Pick(6);
    for (int i = 0; i < count; ++i) {
      const char op = operators[Pick(7)];
      text += op;
      // Powers and roots with small exponents and degrees keep the values in range
      // most of the time; the rest exercise the overflow and root faults.
      AppendOperand(text, depth, op == '^' || op == '#');
    }
  }

  std::mt19937_64 m_random;
};
