// Runs the built program on one end-to-end case and compares its standard
// output, standard error and exit status with the expected ones, byte for
// byte.
//
// A case is a folder: `stdin` (the answers; absent means an empty input),
// `stdout`, `stderr` and `status` (the expected results), and optionally
// `setup`, whose lines change how the program is started:
//   stdin=closed        standard input is a closed descriptor
//   stdin=directory     standard input is a directory
//   stdout=full         standard output is /dev/full
//   stdout=closed-pipe  standard output is a pipe nobody reads
//
// The program may be a command with arguments: every argument between the
// options and the case folder is passed on. With --windows the program is
// a Windows build run through an emulator: the cases that set up POSIX
// descriptors that a Windows process cannot have are skipped (exit status
// 77), and where the system's own text is the reason of a failure only its
// presence is checked, since the wording is the system's. With --node the
// program is a WebAssembly module run by node, which cannot pass on a
// closed or directory standard input either (it reads a closed one as an
// empty input): those cases are skipped too.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kTimeoutSeconds = 20;
// Wine may have to create its prefix on the first run.
constexpr int kWindowsTimeoutSeconds = 60;
constexpr int kSkipped = 77;
constexpr std::string_view kRunErrorLine = "Merovan runtime error: ";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Setup {
  std::string input = "file";
  std::string output = "file";

  bool posix_only_input() const { return input == "closed" || input == "directory"; }
  // The failure's reason is the system's text for a failed write.
  bool system_reason() const { return output == "full" || output == "closed-pipe"; }
};

Setup read_setup(const fs::path& folder) {
  Setup setup;
  std::istringstream lines(read_file(folder / "setup"));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("stdin=")) setup.input = line.substr(6);
    if (line.starts_with("stdout=")) setup.output = line.substr(7);
  }
  return setup;
}

std::string shown(const std::string& bytes, std::size_t at) {
  std::string out;
  std::size_t from = at > 20 ? at - 20 : 0;
  for (std::size_t i = from; i < std::min(bytes.size(), at + 20); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  return out;
}

bool same(const char* what, const std::string& expected, const std::string& actual) {
  if (expected == actual) return true;
  auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
  std::size_t at = static_cast<std::size_t>(mismatch.first - expected.begin());
  std::cerr << what << " differs at byte " << at << " (expected " << expected.size()
            << " bytes, got " << actual.size() << ")\n  expected: ..." << shown(expected, at)
            << "...\n  actual:   ..." << shown(actual, at) << "...\n";
  return false;
}

// Everything up to the system's text must match; the text itself must be
// there, on one line ended by a single line feed.
bool same_but_system_text(const std::string& expected, const std::string& actual) {
  std::size_t reason = expected.rfind(kRunErrorLine);
  if (reason == std::string::npos) return same("standard error", expected, actual);
  reason += kRunErrorLine.size();
  std::size_t prefix = std::min(reason, actual.size());
  if (!same("standard error", expected.substr(0, reason), actual.substr(0, prefix))) return false;
  std::string text = actual.substr(reason);
  if (text.size() > 1 && text.find_first_of("\r\n") == text.size() - 1 && text.back() == '\n') return true;
  std::cerr << "standard error: the system's text is missing or not one line: ..." << shown(actual, reason)
            << "...\n";
  return false;
}

int open_or_die(const char* path, int flags) {
  int fd = ::open(path, flags, 0600);
  if (fd < 0) {
    std::perror(path);
    std::exit(3);
  }
  return fd;
}

void redirect(int fd, int target) {
  if (fd != target) {
    ::dup2(fd, target);
    ::close(fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool windows = argc > first && std::string_view(argv[first]) == "--windows";
  if (windows) ++first;
  const bool node = argc > first && std::string_view(argv[first]) == "--node";
  if (node) ++first;
  if (argc - first < 2) {
    std::cerr << "usage: e2e_runner [--windows | --node] PROGRAM [ARGUMENT...] CASE-FOLDER\n";
    return 3;
  }
  std::vector<char*> command(argv + first, argv + argc - 1);
  command.push_back(nullptr);
  const fs::path folder = argv[argc - 1];
  const Setup setup = read_setup(folder);
  if ((windows || node) && setup.posix_only_input()) {
    std::cout << "skipped: standard input set up as stdin=" << setup.input << " cannot be passed on by "
              << (windows ? "wine" : "node") << "\n";
    return kSkipped;
  }
  const int timeout_seconds = windows ? kWindowsTimeoutSeconds : kTimeoutSeconds;
  const fs::path scratch = fs::temp_directory_path() / ("orbcalc-e2e-" + std::to_string(::getpid()));
  fs::create_directories(scratch);
  const std::string out_path = (scratch / "stdout").string();
  const std::string err_path = (scratch / "stderr").string();

  int pipe_ends[2] = {-1, -1};
  if (setup.output == "closed-pipe") {
    if (::pipe(pipe_ends) != 0) return 3;
    ::close(pipe_ends[0]);
  }

  pid_t child = ::fork();
  if (child == 0) {
    if (setup.input == "closed") {
      ::close(STDIN_FILENO);
    } else if (setup.input == "directory") {
      redirect(open_or_die(scratch.c_str(), O_RDONLY | O_DIRECTORY), STDIN_FILENO);
    } else {
      fs::path answers = folder / "stdin";
      redirect(open_or_die(fs::exists(answers) ? answers.c_str() : "/dev/null", O_RDONLY), STDIN_FILENO);
    }
    if (setup.output == "full") {
      redirect(open_or_die("/dev/full", O_WRONLY), STDOUT_FILENO);
    } else if (setup.output == "closed-pipe") {
      redirect(pipe_ends[1], STDOUT_FILENO);
    } else {
      redirect(open_or_die(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC), STDOUT_FILENO);
    }
    redirect(open_or_die(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC), STDERR_FILENO);
    ::signal(SIGPIPE, SIG_DFL);
    ::execv(command[0], command.data());
    std::perror("exec");
    ::_exit(3);
  }
  if (pipe_ends[1] >= 0) ::close(pipe_ends[1]);

  int wait_status = 0;
  for (int waited = 0;; ++waited) {
    pid_t done = ::waitpid(child, &wait_status, WNOHANG);
    if (done == child) break;
    if (waited >= timeout_seconds * 100) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &wait_status, 0);
      std::cerr << "the program did not finish within " << timeout_seconds << " seconds\n";
      fs::remove_all(scratch);
      return 1;
    }
    ::usleep(10000);
  }

  std::string status = WIFEXITED(wait_status) ? std::to_string(WEXITSTATUS(wait_status))
                                              : "signal " + std::to_string(WTERMSIG(wait_status));
  bool ok = same("exit status", read_file(folder / "status"), status + "\n");
  if (setup.output == "file") ok = same("standard output", read_file(folder / "stdout"), read_file(out_path)) && ok;
  if (windows && setup.system_reason()) {
    ok = same_but_system_text(read_file(folder / "stderr"), read_file(err_path)) && ok;
  } else {
    ok = same("standard error", read_file(folder / "stderr"), read_file(err_path)) && ok;
  }
  fs::remove_all(scratch);
  return ok ? 0 : 1;
}
