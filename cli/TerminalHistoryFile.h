// The lines typed at the terminal, kept from one session to the next: the last
// kTerminalHistoryLength, one a line. A file the session makes is for its owner
// alone (0600); one that exists keeps its permissions. Sessions at several
// terminals share the file: each adds its own new lines to what the file holds
// when it ends (MergeHistory), so none loses another's.
#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "HistoryLines.h"

class TerminalHistoryFile {
public:
  // TALLYWISE_HISTORY names the file, and set but empty turns the history off.
  // Without it the file is $XDG_STATE_HOME/tallywise/history, or
  // ~/.local/state/tallywise/history when XDG_STATE_HOME is unset; their folders
  // are made when it is first written. Without a home there is none.
  static TerminalHistoryFile FromEnvironment();

  // The lines kept, oldest first. A file that does not exist yet has none. A
  // file that cannot be read, is read-only or is no regular file (a device, a
  // pipe) is never written, which one line on stderr says; one that is no
  // regular file is not read either.
  const std::deque<std::string>& Load();

  // A line of this session.
  void Add(std::string_view line);

  // Adds this session's lines to what the file holds now, keeps the newest
  // kTerminalHistoryLength, and puts them in the file's place through a temporary file and a
  // rename, so a failure never leaves half a file. A path that is a symbolic
  // link is followed: the link stays and its target changes. One session at a
  // time does this, so that two ending together keep both's lines. A failure
  // is one line on stderr.
  void Save();

private:
  TerminalHistoryFile(std::string path, bool makeFolders) : m_path(std::move(path)), m_makeFolders(makeFolders) {}

  std::string m_path;  // empty: no history is kept
  bool m_makeFolders;
  bool m_writable = true;
  std::deque<std::string> m_lines;
  std::deque<std::string> m_added;  // this session's lines, the newest kTerminalHistoryLength
};
