#include "Translation.h"

#include <string>

#include "Evaluator.h"
#include "Placeholders.h"
#include "Prompts.h"

#ifdef TALLYWISE_HAVE_GETTEXT
#include <libintl.h>
#include <unistd.h>

#include <clocale>
#include <sys/stat.h>

#include <climits>
#endif

namespace {

constexpr const char* kDomain = "tallywise-eval";

// The window and the tool share the prompts and the fault messages; in the
// catalogs each is told apart by the window's name for it.
const char* PromptContext(Prompt prompt) {
  switch (prompt) {
    case Prompt::EnterExpression: return "IDS_PROMPT_ENTER";
    case Prompt::PasteNumber: return "IDS_PROMPT_PASTE_NUMBER";
    case Prompt::PasteOperator: return "IDS_PROMPT_PASTE_OPERATOR";
    case Prompt::Together: return "IDS_PROMPT_TOGETHER";
    case Prompt::UnknownSymbol: return "IDS_PROMPT_UNKNOWN";
    case Prompt::MissingOpen: return "IDS_PROMPT_MISSING_OPEN";
    case Prompt::MissingClose: return "IDS_PROMPT_MISSING_CLOSE";
    case Prompt::MissingBoth: return "IDS_PROMPT_MISSING_BOTH";
  }
  return "";
}

const char* FaultContext(ComputeFault fault) {
  switch (fault) {
    case ComputeFault::DivisionByZero: return "IDS_FAULT_DIVISION";
    case ComputeFault::Overflow: return "IDS_FAULT_OVERFLOW";
    case ComputeFault::NegativeEvenRoot: return "IDS_FAULT_EVEN_ROOT";
    case ComputeFault::ZeroDegreeRoot: return "IDS_FAULT_ZERO_DEGREE";
  }
  return "";
}

#ifdef TALLYWISE_HAVE_GETTEXT

// A context and its text are looked up as one key, joined by the byte 4; a
// text without translation comes back as it went in.
const char* TranslateInContext(const char* context, const char* english) {
  std::string key = context;
  key += '\004';
  key += english;
  const char* found = dgettext(kDomain, key.c_str());
  return found == key.c_str() || std::string_view(found) == key ? english : found;
}

// Beside the program (BIN/../share/locale), so that a build or a copy of the
// installed tree finds its own catalogs; else where the build installs them.
std::string CatalogFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length > 0) {
    std::string folder(path, static_cast<size_t>(length));
    folder.erase(folder.find_last_of('/') + 1);
    folder += "../share/locale";
    struct stat status {};
    if (stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return folder;
  }
  return TALLYWISE_LOCALEDIR;
}

#else

const char* TranslateInContext(const char*, const char* english) { return english; }

#endif

}  // namespace

#ifdef TALLYWISE_HAVE_GETTEXT

void UseUserLanguage() {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  bindtextdomain(kDomain, CatalogFolder().c_str());
  textdomain(kDomain);
}

const char* Translate(const char* english) { return dgettext(kDomain, english); }

#else

void UseUserLanguage() {}

const char* Translate(const char* english) { return english; }

#endif

std::string_view PromptWordingForUser(Prompt prompt) {
  const std::string english(PromptWording(prompt));
  // The English wordings live as long as the program, and so do the catalogs.
  const char* found = TranslateInContext(PromptContext(prompt), english.c_str());
  return found == english.c_str() ? PromptWording(prompt) : std::string_view(found);
}

const char* FaultMessageForUser(ComputeFault fault) {
  return TranslateInContext(FaultContext(fault), ComputeFaultMessage(fault));
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  return FillPlaceholders(pattern, values);
}
