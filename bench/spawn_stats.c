/* Whole runs of programs, timed and weighed. Each PROGRAM is started RUNS
 * times with standard input from INPUT and standard output and error on
 * /dev/null; the programs take turns run by run, so that a slow spell of
 * the machine falls on all of them alike. For each program one line is
 * printed:
 *
 *   PROGRAM MEDIAN_WALL_NS MIN_WALL_NS PEAK_KB STATUS
 *
 * Wall time runs from just before posix_spawn to the return of wait4.
 *
 * Peak memory is the VmHWM of the program's own address space, read from
 * /proc when the program is about to exit (the program runs under ptrace,
 * stopped at its exit, in separate runs that are not timed). The rusage of
 * a child cannot serve: Linux carries into it the high mark of the address
 * space that exec replaced, which here is this helper's. PEAK_KB is the
 * median of those runs.
 *
 * STATUS is the exit status of the last timed run, or -1 when a run ended
 * by a signal.
 *
 * Usage: spawn_stats RUNS INPUT PROGRAM [PROGRAM...]
 * A PROGRAM is a path, started without arguments. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

enum { kMaxPrograms = 16, kWarmupRuns = 5, kPeakRuns = 21 };

struct Program {
  const char *path;
  long long *wall_ns;
  long peak_kb[kPeakRuns];
  int status;
};

static void die(const char *what, const char *detail) {
  fprintf(stderr, "spawn_stats: %s %s: %s\n", what, detail, strerror(errno));
  exit(2);
}

static long long now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int compare_ll(const void *a, const void *b) {
  long long x = *(const long long *)a, y = *(const long long *)b;
  return (x > y) - (x < y);
}

static int compare_long(const void *a, const void *b) {
  long x = *(const long *)a, y = *(const long *)b;
  return (x > y) - (x < y);
}

static int exit_status(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

/* One timed run. */
static long long timed_run(struct Program *p, const char *input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  char *argv[] = {(char *)p->path, NULL};

  long long start = now_ns();
  pid_t pid;
  int error = posix_spawn(&pid, p->path, &actions, NULL, argv, environ);
  if (error != 0) {
    errno = error;
    die("cannot start", p->path);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) die("cannot wait for", p->path);
  }
  long long wall = now_ns() - start;

  posix_spawn_file_actions_destroy(&actions);
  p->status = exit_status(status);
  return wall;
}

static long vm_hwm_kb(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE *status = fopen(path, "r");
  if (status == NULL) return -1;
  char line[256];
  long kb = -1;
  while (fgets(line, sizeof line, status) != NULL) {
    if (strncmp(line, "VmHWM:", 6) == 0) kb = strtol(line + 6, NULL, 10);
  }
  fclose(status);
  return kb;
}

/* One run under ptrace, stopped at its exit to read its peak. */
static long peak_run(const struct Program *p, const char *input) {
  pid_t pid = fork();
  if (pid < 0) die("cannot fork for", p->path);
  if (pid == 0) {
    int in = open(input, O_RDONLY);
    int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) _exit(127);
    if (ptrace(PTRACE_TRACEME, 0, NULL, NULL) != 0) _exit(127);
    raise(SIGSTOP);
    char *argv[] = {(char *)p->path, NULL};
    execve(p->path, argv, environ);
    _exit(127);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) < 0 || !WIFSTOPPED(status)) die("cannot trace", p->path);
  ptrace(PTRACE_SETOPTIONS, pid, NULL, (void *)(long)(PTRACE_O_TRACEEXIT | PTRACE_O_TRACEEXEC));
  ptrace(PTRACE_CONT, pid, NULL, NULL);
  long peak = -1;
  for (;;) {
    if (waitpid(pid, &status, 0) < 0) {
      if (errno == EINTR) continue;
      die("cannot wait for", p->path);
    }
    if (WIFEXITED(status) || WIFSIGNALED(status)) break;
    int event = status >> 16;
    if (event == PTRACE_EVENT_EXIT) peak = vm_hwm_kb(pid);
    /* Event stops carry no signal; any other stop is a signal to pass on. */
    long signal = event == 0 && WSTOPSIG(status) != SIGSTOP ? WSTOPSIG(status) : 0;
    ptrace(PTRACE_CONT, pid, NULL, (void *)signal);
  }
  return peak;
}

int main(int argc, char **argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: spawn_stats RUNS INPUT PROGRAM [PROGRAM...]\n");
    return 2;
  }
  int runs = atoi(argv[1]);
  const char *input = argv[2];
  int count = argc - 3;
  if (runs < 1 || count > kMaxPrograms) {
    fprintf(stderr, "spawn_stats: RUNS must be 1 or more, at most %d programs\n", kMaxPrograms);
    return 2;
  }

  struct Program programs[kMaxPrograms];
  for (int i = 0; i < count; ++i) {
    programs[i].path = argv[3 + i];
    programs[i].wall_ns = calloc((size_t)runs, sizeof(long long));
    if (programs[i].wall_ns == NULL) die("out of memory for", "the timings");
  }

  for (int r = 0; r < kPeakRuns; ++r) {
    for (int i = 0; i < count; ++i) programs[i].peak_kb[r] = peak_run(&programs[i], input);
  }
  for (int r = 0; r < kWarmupRuns; ++r) {
    for (int i = 0; i < count; ++i) timed_run(&programs[i], input);
  }
  for (int r = 0; r < runs; ++r) {
    for (int i = 0; i < count; ++i) programs[i].wall_ns[r] = timed_run(&programs[i], input);
  }

  for (int i = 0; i < count; ++i) {
    struct Program *p = &programs[i];
    qsort(p->wall_ns, (size_t)runs, sizeof(long long), compare_ll);
    qsort(p->peak_kb, kPeakRuns, sizeof(long), compare_long);
    printf("%s %lld %lld %ld %d\n", p->path, p->wall_ns[runs / 2], p->wall_ns[0], p->peak_kb[kPeakRuns / 2], p->status);
  }
  return 0;
}
