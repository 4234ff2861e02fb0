// Runs the built tally program in a child process.
#include "cli/TallyRunner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TALLY_BINARY
#error "TALLY_BINARY must name the tally program"
#endif

namespace clitest {

namespace {

// Reads everything from the descriptors until each reports its end (or, for a terminal,
// an error once the child is gone); inStopAfter > 0 closes the first descriptor as soon as
// that many bytes came from it.
void Drain(int & ioFirst, std::string & outFirst, int & ioSecond, std::string & outSecond, std::size_t inStopAfter) {
  char buffer[65536];
  while (ioFirst >= 0 || ioSecond >= 0) {
    pollfd fds[2];
    int count = 0;
    if (ioFirst >= 0)
      fds[count++] = {ioFirst, POLLIN, 0};
    if (ioSecond >= 0)
      fds[count++] = {ioSecond, POLLIN, 0};
    if (::poll(fds, static_cast<nfds_t>(count), 20000) <= 0)
      throw std::runtime_error("the program under test hangs");
    for (int i = 0; i < count; ++i) {
      if (fds[i].revents == 0)
        continue;
      const bool first = fds[i].fd == ioFirst;
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR)
        continue;
      std::string & into = first ? outFirst : outSecond;
      if (got > 0)
        into.append(buffer, static_cast<std::size_t>(got));
      const bool done = got <= 0 || (first && inStopAfter > 0 && into.size() >= inStopAfter);
      if (done) {
        ::close(fds[i].fd);
        (first ? ioFirst : ioSecond) = -1;
      }
    }
  }
}

} // namespace

const char * ProgramPath() { return TALLY_BINARY; }

TallyResult RunTally(std::vector<std::string> inArguments) {
  TallyRun run;
  run.mArguments = std::move(inArguments);
  return RunTally(run);
}

TallyResult RunTally(const TallyRun & inRun) {
  // Everything the child needs is prepared before the fork.
  std::vector<std::string> arguments{ProgramPath()};
  arguments.insert(arguments.end(), inRun.mArguments.begin(), inRun.mArguments.end());
  std::vector<std::string> environment{"TZ=America/New_York", "LC_ALL=C", "PATH=/usr/bin:/bin"};
  environment.insert(environment.end(), inRun.mEnvironment.begin(), inRun.mEnvironment.end());
  std::vector<char *> argv, envp;
  for (std::string & argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  for (std::string & setting : environment)
    envp.push_back(setting.data());
  envp.push_back(nullptr);

  int out[2] = {-1, -1};
  int err[2] = {-1, -1};
  if (inRun.mStdout != TallyRun::eDevFull && ::pipe2(out, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe");
  std::string terminalName;
  if (inRun.mStderrTerminal) {
    err[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (err[0] < 0 || ::grantpt(err[0]) != 0 || ::unlockpt(err[0]) != 0)
      throw std::runtime_error("pseudo-terminal");
    terminalName = ::ptsname(err[0]);
    if (inRun.mTerminalColumns > 0) {
      winsize size{};
      size.ws_row = 24;
      size.ws_col = inRun.mTerminalColumns;
      ::ioctl(err[0], TIOCSWINSZ, &size);
    }
  } else if (::pipe2(err, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  int in[2] = {-1, -1};
  if (inRun.mStdin == TallyRun::eFromPipe && ::pipe2(in, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe");
  const char * const inputPath = inRun.mStdin == TallyRun::eFromFile ? inRun.mStdinSource.c_str() : "/dev/null";
  const int devFull = inRun.mStdout == TallyRun::eDevFull ? ::open("/dev/full", O_WRONLY | O_CLOEXEC) : -1;

  const pid_t child = ::fork();
  if (child < 0)
    throw std::runtime_error("fork");
  if (child == 0) {
    const int stdoutTarget = devFull >= 0 ? devFull : out[1];
    int stderrTarget = err[1];
    if (inRun.mStderrTerminal)
      stderrTarget = ::open(terminalName.c_str(), O_RDWR | O_NOCTTY);
    const int nothing = in[0] >= 0 ? in[0] : ::open(inputPath, O_RDONLY);
    if (stdoutTarget < 0 || stderrTarget < 0 || nothing < 0 || ::dup2(nothing, 0) < 0 ||
        ::dup2(stdoutTarget, 1) < 0 || ::dup2(stderrTarget, 2) < 0)
      ::_exit(126);
    if (inRun.mFileSizeLimit >= 0) {
      // Writing past the limit must fail with an error, not end the program.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{static_cast<rlim_t>(inRun.mFileSizeLimit), static_cast<rlim_t>(inRun.mFileSizeLimit)};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }

  if (out[1] >= 0)
    ::close(out[1]);
  if (err[1] >= 0)
    ::close(err[1]);
  if (devFull >= 0)
    ::close(devFull);
  if (in[0] >= 0) {
    // The program reads all of its input before it writes much, so this cannot wait on it;
    // one that stops early (a usage error) must not end this process with SIGPIPE.
    ::close(in[0]);
    const auto previous = ::signal(SIGPIPE, SIG_IGN);
    for (std::size_t at = 0; at < inRun.mStdinSource.size();) {
      const ssize_t put = ::write(in[1], inRun.mStdinSource.data() + at, inRun.mStdinSource.size() - at);
      if (put <= 0 && errno != EINTR)
        break;
      at += put > 0 ? static_cast<std::size_t>(put) : 0;
    }
    ::close(in[1]);
    ::signal(SIGPIPE, previous);
  }

  TallyResult result;
  const std::size_t stopAfter = inRun.mStdout == TallyRun::eCloseAfterFirstBytes ? 100 : 0;
  Drain(out[0], result.mOut, err[0], result.mErr, stopAfter);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  result.mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

} // namespace clitest
