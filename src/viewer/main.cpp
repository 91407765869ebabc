// orbcalc-utf8: runs orbcalc for a UTF-8 terminal. The user's typing
// reaches orbcalc as CP932 and its prompts and report come back as UTF-8,
// as the bytes arrive; orbcalc itself and its bytes stay as they are.
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "viewer/messages.hpp"
#include "viewer/session.hpp"

namespace {

// The program named by ORBCALC, else the orbcalc beside this program,
// else the orbcalc found on PATH.
std::string locate_orbcalc() {
  const char* named = std::getenv("ORBCALC");
  if (named != nullptr && *named != '\0') return named;
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length > 0) {
    std::string beside(self, static_cast<std::size_t>(length));
    beside.erase(beside.find_last_of('/') + 1);
    beside += "orbcalc";
    if (access(beside.c_str(), X_OK) == 0) return beside;
  }
  return "orbcalc";
}

// The pipes to orbcalc must not take the numbers of standard streams the
// viewer was started without: a missing input or error stream is the null
// device; output that nobody can receive is a failed write, as for orbcalc.
bool standard_streams_open() {
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (fcntl(fd, F_GETFD) != -1) continue;
    if (open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY) != fd) return false;
    if (fd == STDOUT_FILENO) {
      orbcalc::viewer::report(orbcalc::viewer::Message::kStandardOutput, EBADF);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!standard_streams_open()) return orbcalc::viewer::kStatusLostOutput;
  const std::string program = locate_orbcalc();
  // orbcalc takes no arguments and ignores any; they are passed on as given.
  std::vector<char*> child_argv(argv, argv + argc);
  child_argv.push_back(nullptr);
  child_argv[0] = const_cast<char*>(program.c_str());
  return orbcalc::viewer::run_session(program.c_str(), child_argv.data());
}
