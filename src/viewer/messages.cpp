#include "viewer/messages.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace orbcalc::viewer {

namespace {

// Each message is the text before the program's name and the text after
// it; a message that names no program has only the first.
struct Text {
  const char* before;
  const char* after;
};

// Indexed by Language, then by Message.
constexpr Text kTexts[2][5] = {
    {
        {"standard input", ""},
        {"standard output", ""},
        {"cannot create a pipe", ""},
        {"cannot convert between CP932 and UTF-8", ""},
        {"cannot run ", ""},
    },
    {
        {"標準入力", ""},
        {"標準出力", ""},
        {"パイプを作成できません", ""},
        {"CP932 と UTF-8 の間で変換できません", ""},
        {"", " を実行できません"},
    },
};

bool set(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

Language language_of(const char* lc_all, const char* lc_messages, const char* lang) {
  const char* name = set(lc_all) ? lc_all : set(lc_messages) ? lc_messages : lang;
  if (!set(name)) return Language::kEnglish;
  // The language is what comes before the territory, the codeset or the
  // modifier.
  const std::string_view locale(name);
  return locale.substr(0, locale.find_first_of("_.@")) == "ja" ? Language::kJapanese : Language::kEnglish;
}

void report(Message message, int error, const std::string& program) {
  const Language language = language_of(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  const Text& text = kTexts[static_cast<int>(language)][static_cast<int>(message)];
  const std::string what = text.before + program + text.after;
  std::fprintf(stderr, "orbcalc-utf8: %s: %s\n", what.c_str(), std::strerror(error));
}

}  // namespace orbcalc::viewer
