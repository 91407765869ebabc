// Runs the built program on one end-to-end case and compares its standard
// output, standard error and exit status with the expected ones, byte for
// byte.
//
//   e2e_runner [OPTION...] PROGRAM [ARGUMENT...] CASE-FOLDER
//
// A case is a folder: `stdin` (the answers; absent means an empty input),
// `stdout`, `stderr` and `status` (the expected results), and optionally
// `setup`, whose lines change how the program is started:
//   stdin=closed        standard input is a closed descriptor
//   stdin=directory     standard input is a directory
//   stdout=full         standard output is /dev/full
//   stdout=closed-pipe  standard output is a pipe nobody reads
//   memory=MEGABYTES    the program's address space is capped (setrlimit)
//
// Options:
//   --input=FILE     the answers are FILE instead of the folder's `stdin`
//   --windows        the program is a Windows build run through an emulator:
//                    cases that set up POSIX descriptors are skipped (exit
//                    status 77), and where the system's text is the reason
//                    of a failure only its presence is checked
//   --node           the program is a WebAssembly module run by node, which
//                    cannot pass on a closed or directory standard input
//                    either (it reads a closed one as an empty input): those
//                    cases are skipped too
//   --no-memory-cap  the program cannot run with its address space capped
//                    (sanitizers, valgrind, an emulator): memory cases are
//                    skipped
// The program may be a command with arguments: every argument between the
// options and the case folder is passed on.
//
// With ORBCALC_UPDATE_EXPECTED=1 in the environment the expected files of
// the case are rewritten from this run instead of compared: a deliberate
// change of output is then a reviewed `git diff` of the case folders.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
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
constexpr int kBroken = 3;
constexpr std::string_view kRunErrorLine = "Merovan runtime error: ";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct Setup {
  std::string input = "file";
  std::string output = "file";
  long memory_megabytes = 0;  // 0: no cap
};

Setup read_setup(const fs::path& folder) {
  Setup setup;
  std::istringstream lines(read_file(folder / "setup"));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("stdin=")) setup.input = line.substr(6);
    if (line.starts_with("stdout=")) setup.output = line.substr(7);
    if (line.starts_with("memory=")) setup.memory_megabytes = std::stol(line.substr(7));
  }
  return setup;
}

// Up to 20 bytes either side of `at`, other than printable ASCII as \xHH.
std::string shown(const std::string& bytes, std::size_t at) {
  std::string out;
  for (std::size_t i = at > 20 ? at - 20 : 0; i < std::min(bytes.size(), at + 20); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, c >= 0x20 && c < 0x7F && c != '\\' ? "%c" : "\\x%02X", c);
    out += escaped;
  }
  return out;
}

bool same(const char* what, const std::string& expected, const std::string& actual) {
  if (expected == actual) return true;
  auto mismatch = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
  std::size_t at = static_cast<std::size_t>(mismatch.first - expected.begin());
  std::cerr << what << " differs at byte " << at << " (expected " << expected.size() << " bytes, got " << actual.size()
            << ")\n  expected: ..." << shown(expected, at) << "...\n  actual:   ..." << shown(actual, at) << "...\n";
  return false;
}

// Everything up to the system's text must match; the text itself must be
// there, on one line ended by a single line feed.
bool same_but_system_text(const std::string& expected, const std::string& actual) {
  std::size_t reason = expected.rfind(kRunErrorLine);
  if (reason == std::string::npos) return same("standard error", expected, actual);
  reason += kRunErrorLine.size();
  if (!same("standard error", expected.substr(0, reason), actual.substr(0, std::min(reason, actual.size())))) {
    return false;
  }
  std::string text = actual.substr(std::min(reason, actual.size()));
  if (text.size() > 1 && text.find_first_of("\r\n") == text.size() - 1 && text.back() == '\n') return true;
  std::cerr << "standard error: the system's text is missing or not one line: ..." << shown(actual, reason) << "...\n";
  return false;
}

int open_or_die(const char* path, int flags) {
  int fd = ::open(path, flags, 0600);
  if (fd < 0) {
    std::perror(path);
    ::_exit(kBroken);
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
  bool windows = false;
  bool node = false;
  bool memory_cap = true;
  std::string input;
  int first = 1;
  for (; first < argc && std::string_view(argv[first]).starts_with("--"); ++first) {
    std::string_view option = argv[first];
    if (option == "--windows")
      windows = true;
    else if (option == "--node")
      node = true;
    else if (option == "--no-memory-cap")
      memory_cap = false;
    else if (option.starts_with("--input="))
      input = option.substr(8);
    else
      first = argc;  // an unknown option: show the usage
  }
  if (argc - first < 2) {
    std::cerr << "usage: e2e_runner [--windows | --node] [--no-memory-cap] [--input=FILE] PROGRAM [ARGUMENT...] "
                 "CASE-FOLDER\n";
    return kBroken;
  }
  const char* update_setting = std::getenv("ORBCALC_UPDATE_EXPECTED");
  const bool update = update_setting != nullptr && update_setting == std::string_view("1");
  if (update && (windows || node)) {
    std::cerr << "expected files are updated from the build machine's program, not through an emulator\n";
    return kBroken;
  }
  std::vector<char*> command(argv + first, argv + argc - 1);
  command.push_back(nullptr);
  const fs::path folder = argv[argc - 1];
  if (input.empty()) input = fs::exists(folder / "stdin") ? (folder / "stdin").string() : "/dev/null";
  const Setup setup = read_setup(folder);
  if ((windows || node) && (setup.input == "closed" || setup.input == "directory")) {
    std::cout << "skipped: standard input set up as stdin=" << setup.input << " cannot be passed on by "
              << (windows ? "wine" : "node") << "\n";
    return kSkipped;
  }
  if (!memory_cap && setup.memory_megabytes > 0) {
    std::cout << "skipped: this program cannot run in a capped address space\n";
    return kSkipped;
  }
  const int timeout_seconds = windows ? kWindowsTimeoutSeconds : kTimeoutSeconds;
  const fs::path scratch = fs::temp_directory_path() / ("orbcalc-e2e-" + std::to_string(::getpid()));
  fs::create_directories(scratch);
  const std::string out_path = (scratch / "stdout").string();
  const std::string err_path = (scratch / "stderr").string();

  int pipe_ends[2] = {-1, -1};
  if (setup.output == "closed-pipe" && ::pipe(pipe_ends) != 0) return kBroken;
  if (pipe_ends[0] >= 0) ::close(pipe_ends[0]);

  pid_t child = ::fork();
  if (child == 0) {
    if (setup.input == "closed") {
      ::close(STDIN_FILENO);
    } else if (setup.input == "directory") {
      redirect(open_or_die(scratch.c_str(), O_RDONLY | O_DIRECTORY), STDIN_FILENO);
    } else {
      redirect(open_or_die(input.c_str(), O_RDONLY), STDIN_FILENO);
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
    if (setup.memory_megabytes > 0) {
      const rlim_t bytes = static_cast<rlim_t>(setup.memory_megabytes) << 20;
      const struct rlimit cap = {bytes, bytes};
      if (::setrlimit(RLIMIT_AS, &cap) != 0) ::_exit(kBroken);
    }
    ::execv(command[0], command.data());
    std::perror("exec");
    ::_exit(kBroken);
  }
  if (pipe_ends[1] >= 0) ::close(pipe_ends[1]);

  int wait_status = 0;
  for (int waited = 0; ::waitpid(child, &wait_status, WNOHANG) != child; ++waited) {
    if (waited >= timeout_seconds * 100) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &wait_status, 0);
      std::cerr << "the program did not finish within " << timeout_seconds << " seconds\n";
      fs::remove_all(scratch);
      return 1;
    }
    ::usleep(10000);
  }

  const std::string status = (WIFEXITED(wait_status) ? std::to_string(WEXITSTATUS(wait_status))
                                                     : "signal " + std::to_string(WTERMSIG(wait_status))) +
                             "\n";
  const std::string output = read_file(out_path);
  const std::string errors = read_file(err_path);
  fs::remove_all(scratch);
  if (update) {
    write_file(folder / "status", status);
    if (setup.output == "file") write_file(folder / "stdout", output);
    write_file(folder / "stderr", errors);
    std::cout << "updated " << folder.string() << "\n";
    return 0;
  }
  bool ok = same("exit status", read_file(folder / "status"), status);
  if (setup.output == "file") ok = same("standard output", read_file(folder / "stdout"), output) && ok;
  if (windows && (setup.output == "full" || setup.output == "closed-pipe")) {
    ok = same_but_system_text(read_file(folder / "stderr"), errors) && ok;
  } else {
    ok = same("standard error", read_file(folder / "stderr"), errors) && ok;
  }
  return ok ? 0 : 1;
}
