#include "CharClasses.h"

#include <algorithm>

bool IsNumberChar(char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; }

bool IsOperatorChar(char ch) {
  constexpr std::string_view kOperators = "#%()*+-/^";
  return ch != '\0' && kOperators.find(ch) != std::string_view::npos;
}

void NormalizeExpression(std::string& text) {
  std::erase(text, ' ');
  std::replace(text.begin(), text.end(), ',', '.');

  // Removing a pair can join a CR and an LF that stood around it ("\r\r\n\n"),
  // so the text is rebuilt like a stack: a pair is dropped as soon as it forms.
  size_t kept = 0;
  for (char ch : text) {
    if (ch == '\n' && kept > 0 && text[kept - 1] == '\r')
      --kept;
    else
      text[kept++] = ch;
  }
  text.resize(kept);
}

int GetOperatorCode(char op) {
  switch (op) {
    case '+': return 1;
    case '-': return 2;
    case '*': return 3;
    case '/': return 4;
    case '%': return 5;
    case '^': return 6;
    case '#': return 7;
    default: return 0;
  }
}

int GetOperatorCode(std::string_view token) { return token.size() == 1 ? GetOperatorCode(token[0]) : 0; }
