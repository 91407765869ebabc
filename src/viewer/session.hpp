// One run of orbcalc behind pipes: what the user types goes to it as
// CP932, what it writes comes back as UTF-8, both as the bytes arrive.
#pragma once

namespace orbcalc::viewer {

// The viewer's own failures, as env(1) and its kin report theirs.
inline constexpr int kStatusViewerFailed = 125;
inline constexpr int kStatusCannotRun = 126;
inline constexpr int kStatusNotFound = 127;
// orbcalc's status for a failed write of a standard stream.
inline constexpr int kStatusLostOutput = 2;

// Starts program (searched on PATH when it holds no slash) with argv,
// standard error shared with this process, and relays standard input and
// output until it has ended. Returns its exit status, or 128 plus the
// number of the signal that ended it.
int run_session(const char* program, char* const argv[]);

}  // namespace orbcalc::viewer
