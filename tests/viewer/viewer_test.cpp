// orbcalc-utf8 from the outside: the conversion as bytes arrive, then
// whole runs of the real orbcalc through pipes and through a
// pseudo-terminal, each prompt awaited before its answer is typed.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>

#include "viewer/messages.hpp"
#include "viewer/transcode.hpp"

namespace orbcalc::viewer {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::string convert(Direction direction, std::string_view bytes, std::size_t piece) {
  Transcoder transcoder(direction);
  EXPECT_TRUE(transcoder.ok());
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += piece) transcoder.feed(bytes.substr(i, piece), out);
  transcoder.finish(out);
  return out;
}

struct ConversionCase {
  Direction direction;
  std::string_view in;
  std::string_view out;
};

// Whole at once or a byte at a time, the same text comes out.
TEST(ViewerConversion, BothDirectionsAsBytesArrive) {
  // clang-format off
  const ConversionCase cases[] = {
      // " 化合物名" and a half-width katakana; 0x5C and 0x7E stay ASCII.
      {Direction::kToUtf8, " \x89\xBB\x8D\x87\x95\xA8\x96\xBC\xB1\\~", " 化合物名ｱ\\~"},
      // Bytes that are no CP932 character, alone or as a cut lead byte.
      {Direction::kToUtf8, "a\x80" "b\xA0\xFD\x83\r\nc\x83", "a\uFFFDb\uFFFD\uFFFD\uFFFD\r\nc\uFFFD"},
      {Direction::kToCp932, "ブタジエン\\~\r\n", "\x83\x75\x83\x5E\x83\x57\x83\x47\x83\x93\\~\r\n"},
      // No CP932 form (lead bytes F0, ED, DF, E0), invalid UTF-8, a character cut at the end.
      {Direction::kToCp932, "a😀b한ߐࠀc\xFF" "d\xE3\x83", "a?b???c?d?"},
      // U+FFFD, the last lead byte of three; a lead byte before a byte that continues nothing.
      {Direction::kToCp932, "\uFFFD|\xE3" "a\x83", "?|?a?"},
  };
  // clang-format on
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(convert(c.direction, c.in, c.in.size()), c.out);
    EXPECT_EQ(convert(c.direction, c.in, 1), c.out);
  }
}

// A running orbcalc-utf8 whose standard streams are pipes or a terminal,
// its messages in the language of lang; with a script, what it runs is a
// shell given that script.
class Viewer {
 public:
  explicit Viewer(bool terminal, const char* orbcalc = ORBCALC_PATH, const char* lang = "C",
                  const char* script = nullptr) {
    int in[2] = {-1, -1};
    int out[2] = {-1, -1};
    if (terminal) {
      pid_ = forkpty(&output_, nullptr, nullptr, nullptr);
      input_ = output_;
    } else if (pipe2(in, O_CLOEXEC) == 0 && pipe2(out, O_CLOEXEC) == 0) {
      pid_ = fork();
      input_ = in[1];
      output_ = out[0];
    }
    if (pid_ == 0) {
      termios settings{};
      if (terminal && tcgetattr(STDIN_FILENO, &settings) == 0) {
        // Only what the viewer writes comes back, byte for byte.
        settings.c_lflag &= ~tcflag_t{ECHO};
        settings.c_oflag &= ~tcflag_t{OPOST};
        tcsetattr(STDIN_FILENO, TCSANOW, &settings);
      } else if (!terminal) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(out[1], STDERR_FILENO);
      }
      orbcalc != nullptr ? setenv("ORBCALC", orbcalc, 1) : unsetenv("ORBCALC");
      unsetenv("LC_ALL");
      unsetenv("LC_MESSAGES");
      setenv("LANG", lang, 1);
      execl(VIEWER_PATH, VIEWER_PATH, script != nullptr ? "-c" : nullptr, script, nullptr);  // no script: no arguments
      _exit(120);
    }
    if (!terminal) {
      close(in[0]);
      close(out[1]);
    }
  }
  ~Viewer() {
    if (input_ != output_) close(input_);
    close(output_);
  }

  void type(std::string_view text) { ASSERT_EQ(write(input_, text.data(), text.size()), ssize_t(text.size())); }
  // Reads until text has arrived after what earlier calls consumed;
  // false if it does not within 20 seconds.
  bool await(std::string_view text) {
    while (transcript_.find(text, consumed_) == std::string::npos) {
      if (!read_some(20000)) return false;
    }
    consumed_ = transcript_.find(text, consumed_) + text.size();
    return true;
  }
  // Ends the input (on a terminal, what was typed stays), reads to the end
  // of the output and returns the viewer's exit status.
  int finish() {
    if (input_ != output_) close(input_);
    input_ = output_;
    while (read_some(-1)) {
    }
    int status = -1;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The viewer's child, which the kernel lists as such.
  pid_t child() const {
    std::ifstream list("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/children");
    pid_t child = 0;
    list >> child;
    return child;
  }
  const std::string& transcript() const { return transcript_; }

 private:
  bool read_some(int timeout_ms) {
    pollfd ready{output_, POLLIN, 0};
    if (poll(&ready, 1, timeout_ms) <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(output_, buffer, sizeof buffer);
    if (n <= 0) return false;  // a terminal whose every user has gone gives EIO
    transcript_.append(buffer, static_cast<std::size_t>(n));
    return true;
  }

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string transcript_;
  std::size_t consumed_ = 0;
};

// Butadiene under a typed name, each answer typed once its prompt is shown.
std::string butadiene_run(bool terminal, std::string_view name) {
  Viewer viewer(terminal);
  // clang-format off
  const std::pair<std::string_view, std::string_view> dialogue[] = {
      {" 化合物名を入力してください\r\n\r\n", name}, {" 原子数を入力してください\r\n\r\n", "4\n"},
      {" 結合数を入力してください\r\n\r\n", "3\n"},   {" 電子数を入力してください\r\n\r\n", "4\n"},
      {"数を入力してください\r\n\r\n", "0\n"},         {" [ 1] : \r\n", "1 2\n"},
      {" [ 2] : \r\n", "2 3\n"},                       {" [ 3] : \r\n", "3 4\n"},
      {" 何か文字を入力してください\r\n\r\n", "x\n"},
  };
  // clang-format on
  for (const auto& [prompt, answer] : dialogue) {
    EXPECT_TRUE(viewer.await(prompt)) << "no prompt " << prompt << " in\n" << viewer.transcript();
    viewer.type(answer);
  }
  EXPECT_EQ(viewer.finish(), 0);
  return viewer.transcript();
}

// A name typed in UTF-8 reaches orbcalc as CP932 and fills its 40-byte
// field as on a Japanese console; a field cut inside a double-byte
// character shows U+FFFD, and the rest of the report is untouched.
TEST(ViewerRun, TypedNamesThroughPipesAndATerminal) {
  const std::string plain = butadiene_run(false, "butadiene\n");
  const std::string plain_echo = "\r\nbutadiene" + std::string(31, ' ') + "\r\n";
  ASSERT_NE(plain.find(plain_echo), std::string::npos) << plain;
  // x and 20 katakana: 41 bytes in CP932, the 40th the lead byte of the last.
  std::string long_name = "x";
  for (int i = 0; i < 20; ++i) long_name += "ア";
  std::string long_echo = long_name.substr(0, 1 + 19 * 3);
  long_echo += kReplacement;
  // clang-format off
  const std::pair<std::string, std::string> names[] = {
      {"ブタジエン", std::string("ブタジエン").append(30, ' ')},
      {"ブタ\xFFジエン😀", std::string("ブタ?ジエン?").append(28, ' ')},
      {long_name, long_echo},
  };
  // clang-format on
  for (bool terminal : {false, true}) {
    for (const auto& [name, echo] : names) {
      SCOPED_TRACE(name + (terminal ? " on a terminal" : " through pipes"));
      std::string expected = plain;
      expected.replace(expected.find(plain_echo) + 2, plain_echo.size() - 4, echo);
      EXPECT_EQ(butadiene_run(terminal, name + "\n"), expected);
    }
  }
}

// The viewer ends with orbcalc's status, or 128 plus the signal that
// ended it; a program that cannot be found is 127, as for a shell, and
// said in Japanese under a Japanese locale, the system's reason as it is.
// Output still in the pipe when orbcalc has ended is all shown first.
TEST(ViewerRun, ExitStatusIsOrbcalcs) {
  struct Case {
    const char* orbcalc;
    int signal;  // sent to orbcalc at its first prompt, if not 0
    int status;
    std::string_view shown;
    const char* lang = "en_US.UTF-8";
    const char* script = nullptr;
  };
  // clang-format off
  const Case cases[] = {
      {nullptr, 0, 2, "End of file"},  // no ORBCALC: the orbcalc beside the viewer
      {ORBCALC_PATH, SIGSEGV, 95, "Exception: Access Violation"},
      {ORBCALC_PATH, SIGKILL, 128 + SIGKILL, ""},
      {ORBCALC_PATH, SIGINT, 128 + SIGINT, ""},  // the viewer ignores it; orbcalc must not
      {"/nonexistent/orbcalc", 0, 127, "orbcalc-utf8: cannot run /nonexistent/orbcalc: No such file"},
      {"/nonexistent/orbcalc", 0, 127, "orbcalc-utf8: /nonexistent/orbcalc を実行できません: No such file", "ja_JP"},
      // The shell stops the viewer, writes 8893 bytes and ends. Continued, the viewer reads 4096 bytes, learns
      // of the end, then reads the rest: with errno left at EAGAIN, and last a read of 0 bytes.
      {"/bin/sh", 0, 3, "\n1999\n2000\n", "en_US.UTF-8",
       "kill -STOP $PPID; seq 2000; (sleep .5; kill -CONT $PPID) >&- & exit 3"},
      // The shell stops and is continued, so errno is left at EAGAIN by the SIGCHLD pipe when the end of the
      // typed input comes: that end must still reach the shell's cat (SIGCONT once running changes nothing).
      {"/bin/sh", SIGCONT, 0, "", "en_US.UTF-8",
       "(sleep .2; kill -CONT $$) >&- & kill -STOP $$; printf '\\r\\n\\r\\n'; cat"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    Viewer viewer(false, c.orbcalc, c.lang, c.script);
    if (c.signal != 0) {
      ASSERT_TRUE(viewer.await("\r\n\r\n"));
      const pid_t orbcalc = viewer.child();
      ASSERT_GT(orbcalc, 0);
      kill(orbcalc, c.signal);
    }
    EXPECT_EQ(viewer.finish(), c.status);
    EXPECT_NE(viewer.transcript().find(c.shown), std::string::npos) << viewer.transcript();
  }
}

}  // namespace
}  // namespace orbcalc::viewer
