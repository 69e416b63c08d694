#include "LiteralEvaluator.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "Arithmetic.h"
#include "OracleCharClasses.h"
#include "NumberReading.h"
#include "NumberWriting.h"

namespace {

// The rescanning, with the index each kept character had in the text as given.
void NormalizeByRescanning(std::string& text, std::vector<size_t>& at) {
  at.clear();
  for (size_t i = 0; i < text.size(); ++i)
    at.push_back(i);
  const auto erase = [&](size_t p, size_t n) {
    text.erase(p, n);
    at.erase(at.begin() + static_cast<std::ptrdiff_t>(p), at.begin() + static_cast<std::ptrdiff_t>(p + n));
  };
  for (size_t p; (p = text.find(' ')) != std::string::npos;)
    erase(p, 1);
  for (size_t p; (p = text.find(',')) != std::string::npos;)
    text[p] = '.';
  for (size_t p; (p = text.find("\r\n")) != std::string::npos;)
    erase(p, 2);
}

}  // namespace

void NormalizeByRescanning(std::string& text) {
  std::vector<size_t> at;
  NormalizeByRescanning(text, at);
}

namespace {

struct Literal {
  std::vector<FaultMet>& faults;
  size_t at = 0;  // where the work of the moment stands in the text as given

  double Fault(ComputeFault f) {
    faults.push_back({f, at});
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

std::string LiteralEvaluate(std::string text, std::string_view numberFormat, std::vector<FaultMet>& faults) {
  Literal literal{faults};
  std::vector<size_t> at;  // of each character: its index in the text as given
  NormalizeByRescanning(text, at);
  const auto insertZero = [&](size_t i) {
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(i), '0');
    at.insert(at.begin() + static_cast<std::ptrdiff_t>(i), 0);
  };

  if (!text.empty() && text[0] == '+') {
    text.erase(0, 1);
    at.erase(at.begin());
  } else if (!text.empty() && text[0] == '-') {
    insertZero(0);
  }

  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '(' && (text[i + 1] == '-' || text[i + 1] == '+')) insertZero(i + 1);
  }

  std::vector<std::string> tokens;
  std::vector<size_t> starts;
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && IsNumberChar(text[i]) && IsNumberChar(text[i - 1])) {
      current += text[i];
    } else {
      if (i > 0) tokens.push_back(current);
      current = text[i];
      starts.push_back(at[i]);
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
      starts.erase(starts.begin() + static_cast<std::ptrdiff_t>(i));
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
    literal.at = starts[chosen];
    const double l = literal.Read(tokens[chosen - 1]);
    const double r = literal.Read(tokens[chosen + 1]);
    const std::string value = FormatNumber("%f", literal.Apply(tokens[chosen], l, r));
    const int depth = depths[chosen];
    const auto i = static_cast<std::ptrdiff_t>(chosen);
    tokens.erase(tokens.begin() + i - 1, tokens.begin() + i + 2);
    depths.erase(depths.begin() + i - 1, depths.begin() + i + 2);
    starts.erase(starts.begin() + i, starts.begin() + i + 2);
    tokens.insert(tokens.begin() + i - 1, value);
    depths.insert(depths.begin() + i - 1, depth);
  }
  literal.at = starts[0];
  return FormatNumber(numberFormat, literal.Read(tokens[0]));
}
