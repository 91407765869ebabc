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

namespace {

namespace fs = std::filesystem;

constexpr int kTimeoutSeconds = 20;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Setup {
  std::string input = "file";
  std::string output = "file";
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
  if (argc != 3) {
    std::cerr << "usage: e2e_runner PROGRAM CASE-FOLDER\n";
    return 3;
  }
  const fs::path program = argv[1];
  const fs::path folder = argv[2];
  const Setup setup = read_setup(folder);
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
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    std::perror("exec");
    ::_exit(3);
  }
  if (pipe_ends[1] >= 0) ::close(pipe_ends[1]);

  int wait_status = 0;
  for (int waited = 0;; ++waited) {
    pid_t done = ::waitpid(child, &wait_status, WNOHANG);
    if (done == child) break;
    if (waited >= kTimeoutSeconds * 100) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &wait_status, 0);
      std::cerr << "the program did not finish within " << kTimeoutSeconds << " seconds\n";
      fs::remove_all(scratch);
      return 1;
    }
    ::usleep(10000);
  }

  std::string status = WIFEXITED(wait_status) ? std::to_string(WEXITSTATUS(wait_status))
                                              : "signal " + std::to_string(WTERMSIG(wait_status));
  bool ok = same("exit status", read_file(folder / "status"), status + "\n");
  if (setup.output == "file") ok = same("standard output", read_file(folder / "stdout"), read_file(out_path)) && ok;
  ok = same("standard error", read_file(folder / "stderr"), read_file(err_path)) && ok;
  fs::remove_all(scratch);
  return ok ? 0 : 1;
}
