// The lines typed at the terminal, kept from one session to the next: the last
// 1,000, one a line, in a file only its owner can read.
#pragma once

#include <deque>
#include <string>
#include <string_view>

class HistoryFile {
public:
  // TALLYWISE_HISTORY names the file, and set but empty turns the history off.
  // Without it the file is $XDG_STATE_HOME/tallywise/history, or
  // ~/.local/state/tallywise/history when XDG_STATE_HOME is unset; their folders
  // are made when it is first written. Without a home there is none.
  static HistoryFile FromEnvironment();

  // The lines kept, oldest first. A file that does not exist yet has none; one
  // that cannot be read is reported in one line on stderr and is not written over.
  const std::deque<std::string>& Load();

  void Add(std::string_view line);

  // Writes the lines through a temporary file and a rename, so a failure or a
  // second session never leaves half a file; a failure is one line on stderr.
  void Save();

private:
  HistoryFile(std::string path, bool makeFolders) : m_path(std::move(path)), m_makeFolders(makeFolders) {}

  std::string m_path;  // empty: no history is kept
  bool m_makeFolders;
  bool m_writable = true;
  std::deque<std::string> m_lines;
};
