#include "TypedText.h"

#include "NumberReading.h"

// The CRs of the run that no LF has taken yet lie on top of what is kept, the
// one at `bottom` lowest. An LF that finds none stays, and then every CR before
// it has gone: so the first character that stays is the first LF that stays or,
// without one, the lowest CR left.
TypedTextReader::LineBreaks TypedTextReader::ReadLineBreaks(size_t from) const {
  size_t crsOnTop = 0;
  size_t bottom = kNowhere;
  size_t firstKeptLineFeed = kNowhere;
  size_t i = from;
  for (; i < m_text.size(); ++i) {
    const char ch = m_text[i];
    if (ch == '\r') {
      if (crsOnTop++ == 0) bottom = i;
    } else if (ch == '\n') {
      if (crsOnTop > 0)
        --crsOnTop;
      else if (firstKeptLineFeed == kNowhere)
        firstKeptLineFeed = i;
    } else if (ch != ' ') {
      break;
    }
  }
  return {i, firstKeptLineFeed != kNowhere ? firstKeptLineFeed : crsOnTop > 0 ? bottom : kNowhere};
}

// A number with blanks or line breaks inside, a comma, more digits than a double
// holds exactly, a second separator or no digit at all. It is read from its
// characters as normalising leaves them; only a number that is not written in
// one piece of digits and points is copied for that.
TypedTextReader::LongNumber TypedTextReader::ReadLongNumber(size_t from) const {
  std::string pieced;
  bool inOnePiece = true;
  bool pointSeen = false;
  size_t secondSeparatorAt = kNowhere;
  size_t end = from;  // just after the last character taken
  for (size_t i = from; i < m_text.size() && (IsNumberChar(m_text[i]) || m_text[i] == ',');
       i = SkipNormalizedAway(end)) {
    const char ch = m_text[i];
    if (inOnePiece && (i != end || ch == ',')) {
      inOnePiece = false;
      pieced.assign(m_text.substr(from, end - from));
    }
    const bool point = ch == '.' || ch == ',';
    if (point && pointSeen && secondSeparatorAt == kNowhere) secondSeparatorAt = i;
    pointSeen |= point;
    if (!inOnePiece) pieced += point ? '.' : ch;
    end = i + 1;
  }
  const std::string_view number = inOnePiece ? m_text.substr(from, end - from) : std::string_view(pieced);
  size_t length = 0;
  return {ReadLeadingNumber(number, length), secondSeparatorAt, end};
}
