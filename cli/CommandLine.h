// What the tool was asked to do, read from its arguments the GNU way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One place expressions come from, in the order the arguments give them.
struct Source {
  enum Kind { Expression, File } kind;
  std::string_view text;  // the expression, or the file's name ("-" is standard input)
  size_t argument = 0;    // where it stands among the arguments, counted from 1
};

struct Invocation {
  enum Action { Evaluate, ShowHelp, ShowVersion, Refuse } action = Evaluate;
  int decimals = 3;
  bool aligned = false;
  bool exact = false;  // exact arithmetic in place of the classic rules
  bool grouping = false;  // results grouped as the locale's LC_NUMERIC groups numbers
  std::vector<Source> sources;  // none: standard input
  std::string complaint;        // why the arguments were refused
};

// The arguments after the program's name. A refused invocation names the first
// argument that is wrong; options after it are not looked at.
Invocation ReadCommandLine(const std::vector<std::string_view>& args);
