// The viewer's own messages on standard error, in English or in Japanese
// as the user's locale asks. What orbcalc writes passes through untouched,
// and the system's reason for a failure is its own text.
#pragma once

#include <string>

namespace orbcalc::viewer {

enum class Language { kEnglish, kJapanese };

enum class Message {
  kStandardInput,
  kStandardOutput,
  kCannotCreatePipe,
  kCannotConvert,
  kCannotRun,  // names the program
};

// The language for the values of LC_ALL, LC_MESSAGES and LANG, null when
// unset: the first that is set and not empty decides, Japanese when its
// language is ja (ja, ja_JP.UTF-8, ja_JP.eucJP, ja.UTF-8@x), English
// otherwise. Only the name counts, so a locale that is not installed on
// the system works as well.
Language language_of(const char* lc_all, const char* lc_messages, const char* lang);

// Writes "orbcalc-utf8: WHAT: REASON" to standard error in the language
// the environment asks for, WHAT the message (with the program's name
// where it names one) and REASON the system's text for error.
void report(Message message, int error, const std::string& program = {});

}  // namespace orbcalc::viewer
