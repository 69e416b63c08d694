#include "LiteralEvaluator.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "Arithmetic.h"
#include "CharClasses.h"
#include "NumberText.h"

void NormalizeByRescanning(std::string& text) {
  for (size_t p; (p = text.find(' ')) != std::string::npos;)
    text.erase(p, 1);
  for (size_t p; (p = text.find(',')) != std::string::npos;)
    text[p] = '.';
  for (size_t p; (p = text.find("\r\n")) != std::string::npos;)
    text.erase(p, 2);
}

namespace {

struct Literal {
  std::vector<ComputeFault>& faults;

  double Fault(ComputeFault f) {
    faults.push_back(f);
    return 0;
  }

  double Read(const std::string& token) {
    const double v = ReadNumber(token);
    return std::isfinite(v) ? v : Fault(ComputeFault::Overflow);
  }

  double Apply(const std::string& op, double l, double r) {
    double v = 0;
    switch (GetOperatorCode(op)) {
      case 1: v = l + r; break;
      case 2: v = l - r; break;
      case 3: v = l * r; break;
      case 4: v = r == 0 ? Fault(ComputeFault::DivisionByZero) : l / r; break;
      case 5: v = (l * 0.01) * r; break;
      case 6: {
        const int n = TruncateToInt32(r);
        v = l == 0 && n < 0 ? Fault(ComputeFault::DivisionByZero) : Power(l, n);
        break;
      }
      case 7: {
        const int n = TruncateToInt32(r);
        if (n == 0)
          v = Fault(ComputeFault::ZeroDegreeRoot);
        else if (l < 0 && n % 2 == 0)
          v = Fault(ComputeFault::NegativeEvenRoot);
        else if (l == 0 && n < 0)
          v = Fault(ComputeFault::DivisionByZero);
        else
          v = Root(l, n);
        break;
      }
    }
    return std::isfinite(v) ? v : Fault(ComputeFault::Overflow);
  }
};

}  // namespace

std::string LiteralEvaluate(std::string text, std::string_view numberFormat, std::vector<ComputeFault>& faults) {
  Literal literal{faults};
  NormalizeByRescanning(text);

  if (!text.empty() && text[0] == '+')
    text.erase(0, 1);
  else if (!text.empty() && text[0] == '-')
    text.insert(text.begin(), '0');

  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '(' && (text[i + 1] == '-' || text[i + 1] == '+'))
      text.insert(text.begin() + static_cast<std::ptrdiff_t>(i) + 1, '0');
  }

  std::vector<std::string> tokens;
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && IsNumberChar(text[i]) && IsNumberChar(text[i - 1])) {
      current += text[i];
    } else {
      if (i > 0) tokens.push_back(current);
      current = text[i];
    }
  }
  tokens.push_back(current);

  std::vector<int> depths;
  int counter = 0;
  for (const std::string& t : tokens) {
    if (t == "(") ++counter;
    if (t == ")") --counter;
    depths.push_back(counter);
  }

  for (size_t i = tokens.size(); i-- > 0;) {
    if (tokens[i] == "(" || tokens[i] == ")") {
      tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i));
      depths.erase(depths.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }

  while (tokens.size() > 1) {
    int deepest = 0;
    for (size_t i = 1; i < tokens.size(); i += 2)
      deepest = std::max(deepest, depths[i]);
    size_t chosen = 0;
    int strongest = -1;
    for (size_t i = 1; i < tokens.size(); i += 2) {
      if (depths[i] == deepest && GetOperatorCode(tokens[i]) > strongest) {
        strongest = GetOperatorCode(tokens[i]);
        chosen = i;
      }
    }
    if (chosen == 0) throw std::logic_error("operands and operators do not alternate: " + text);
    const double l = literal.Read(tokens[chosen - 1]);
    const double r = literal.Read(tokens[chosen + 1]);
    const std::string value = FormatNumber("%f", literal.Apply(tokens[chosen], l, r));
    const int depth = depths[chosen];
    const auto at = static_cast<std::ptrdiff_t>(chosen);
    tokens.erase(tokens.begin() + at - 1, tokens.begin() + at + 2);
    depths.erase(depths.begin() + at - 1, depths.begin() + at + 2);
    tokens.insert(tokens.begin() + at - 1, value);
    depths.insert(depths.begin() + at - 1, depth);
  }
  return FormatNumber(numberFormat, literal.Read(tokens[0]));
}
