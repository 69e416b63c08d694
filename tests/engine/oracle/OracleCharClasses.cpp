#include "OracleCharClasses.h"

bool IsOperatorChar(char ch) { return ch == '(' || ch == ')' || GetOperatorCode(ch) != 0; }

// Removing a CR LF pair can join a CR and an LF that stood around it
// ("\r\r\n\n"), so a pair is dropped as soon as it forms, like on a stack.
void NormalizeExpression(std::string& text) {
  size_t kept = 0;
  for (char ch : text) {
    if (ch == ' ') continue;
    if (ch == ',') ch = '.';
    if (ch == '\n' && kept > 0 && text[kept - 1] == '\r') {
      --kept;
      continue;
    }
    text[kept++] = ch;
  }
  text.resize(kept);
}

int GetOperatorCode(std::string_view token) { return token.size() == 1 ? GetOperatorCode(token[0]) : 0; }
