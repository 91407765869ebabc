#include "viewer/session.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "viewer/messages.hpp"
#include "viewer/transcode.hpp"

extern char** environ;

namespace orbcalc::viewer {

namespace {

// Typed input waiting for orbcalc is not read further beyond this.
constexpr std::size_t kMaxPendingInput = 1 << 16;

int sigchld_pipe[2] = {-1, -1};

void on_sigchld(int) {
  const int saved = errno;
  [[maybe_unused]] const ssize_t written = write(sigchld_pipe[1], "", 1);
  errno = saved;
}

void set_nonblocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

// Writes all of bytes, waiting while the descriptor is full; false with
// errno on failure.
bool write_all(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n >= 0) {
      done += static_cast<std::size_t>(n);
    } else if (errno == EAGAIN) {
      pollfd wait_for{fd, POLLOUT, 0};
      poll(&wait_for, 1, -1);
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

class Relay {
 public:
  Relay(int to_child, int from_child) : to_child_(to_child), from_child_(from_child) {}

  bool ok() const { return to_cp932_.ok() && to_utf8_.ok(); }
  // Relays until the child has ended and everything it wrote is shown.
  // Returns false when its output could not be shown, errno in
  // output_error().
  bool run(pid_t child, int& wait_status);
  int output_error() const { return output_error_; }

 private:
  void read_input();
  void write_input();
  void read_output(bool drain);
  void end_output();
  void show(const std::string& text);

  Transcoder to_cp932_{Direction::kToCp932};
  Transcoder to_utf8_{Direction::kToUtf8};
  int input_ = STDIN_FILENO;  // -1 once at its end
  int to_child_;
  int from_child_;
  std::string pending_input_;
  bool output_lost_ = false;
  int output_error_ = 0;
};

void close_fd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

void Relay::read_input() {
  char buffer[4096];
  const ssize_t n = read(input_, buffer, sizeof buffer);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
  if (n > 0) {
    to_cp932_.feed({buffer, static_cast<std::size_t>(n)}, pending_input_);
    return;
  }
  // A failure to read is said here, since orbcalc only meets the end of
  // its input, once the rest has been delivered.
  if (n < 0) report(Message::kStandardInput, errno);
  to_cp932_.finish(pending_input_);
  input_ = -1;
}

void Relay::write_input() {
  const ssize_t n = write(to_child_, pending_input_.data(), pending_input_.size());
  if (n >= 0) {
    pending_input_.erase(0, static_cast<std::size_t>(n));
  } else if (errno != EINTR && errno != EAGAIN) {
    // orbcalc has closed its input: nothing typed can reach it any more.
    pending_input_.clear();
    input_ = -1;
    close_fd(to_child_);
  }
}

void Relay::show(const std::string& text) {
  if (output_lost_ || text.empty()) return;
  if (!write_all(STDOUT_FILENO, text)) {
    // Nothing more can be shown: orbcalc meets the broken pipe at its
    // next write and ends as it would without the viewer.
    output_lost_ = true;
    output_error_ = errno;
    close_fd(from_child_);
  }
}

void Relay::read_output(bool drain) {
  char buffer[4096];
  while (from_child_ >= 0) {
    const ssize_t n = read(from_child_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) return;
    if (n <= 0) {
      end_output();
      return;
    }
    std::string text;
    to_utf8_.feed({buffer, static_cast<std::size_t>(n)}, text);
    show(text);
    if (!drain) return;
  }
}

// A character cut short at the very end of the output shows as U+FFFD.
void Relay::end_output() {
  std::string rest;
  to_utf8_.finish(rest);
  show(rest);
  close_fd(from_child_);
}

bool Relay::run(pid_t child, int& wait_status) {
  set_nonblocking(to_child_);
  while (true) {
    if (input_ < 0 && pending_input_.empty()) close_fd(to_child_);
    pollfd fds[4] = {
        {sigchld_pipe[0], POLLIN, 0},
        {from_child_, POLLIN, 0},
        {pending_input_.size() < kMaxPendingInput ? input_ : -1, POLLIN, 0},
        {pending_input_.empty() ? -1 : to_child_, POLLOUT, 0},
    };
    if (poll(fds, 4, -1) < 0) continue;  // EINTR: the SIGCHLD byte follows
    if (fds[1].revents != 0) read_output(false);
    if (fds[2].revents != 0) read_input();
    if (fds[3].revents != 0) write_input();
    if (fds[0].revents == 0) continue;
    char drained[64];
    while (read(sigchld_pipe[0], drained, sizeof drained) > 0) {
    }
    // A child stopped or continued is still running; only its end counts.
    if (waitpid(child, &wait_status, WNOHANG) == child) break;
  }
  // Everything the child wrote is in the pipe now; a process of its own
  // that still holds the pipe open is not waited for.
  if (from_child_ >= 0) {
    set_nonblocking(from_child_);
    read_output(true);
    if (from_child_ >= 0) end_output();
  }
  close_fd(to_child_);
  return !output_lost_;
}

int status_of(int wait_status) {
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return WEXITSTATUS(wait_status);
}

}  // namespace

int run_session(const char* program, char* const argv[]) {
  int input_pipe[2];
  int output_pipe[2];
  if (pipe2(input_pipe, O_CLOEXEC) != 0 || pipe2(output_pipe, O_CLOEXEC) != 0 ||
      pipe2(sigchld_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    report(Message::kCannotCreatePipe, errno);
    return kStatusViewerFailed;
  }
  Relay relay(input_pipe[1], output_pipe[0]);
  if (!relay.ok()) {
    report(Message::kCannotConvert, errno);
    return kStatusViewerFailed;
  }

  // The viewer outlives orbcalc to report its status: an interrupt from
  // the terminal ends orbcalc alone, and a closed pipe is a failed write.
  // orbcalc itself starts with the default actions.
  struct sigaction action {};
  action.sa_handler = on_sigchld;
  sigaction(SIGCHLD, &action, nullptr);
  action.sa_handler = SIG_IGN;
  for (int signo : {SIGINT, SIGQUIT, SIGPIPE}) sigaction(signo, &action, nullptr);

  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signo : {SIGINT, SIGQUIT, SIGPIPE}) sigaddset(&defaults, signo);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input_pipe[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output_pipe[1], STDOUT_FILENO);

  pid_t child = 0;
  const int error = posix_spawnp(&child, program, &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(input_pipe[0]);
  close(output_pipe[1]);
  if (error != 0) {
    report(Message::kCannotRun, error, program);
    return error == ENOENT ? kStatusNotFound : kStatusCannotRun;
  }

  int wait_status = 0;
  const bool shown = relay.run(child, wait_status);
  const int status = status_of(wait_status);
  if (!shown && status == 0) {
    // orbcalc ended well, but its last output never reached the screen.
    report(Message::kStandardOutput, relay.output_error());
    return kStatusLostOutput;
  }
  return status;
}

}  // namespace orbcalc::viewer
