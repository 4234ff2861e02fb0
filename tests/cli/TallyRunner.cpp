// Runs the built tally program in a child process.
#include "cli/TallyRunner.h"

#include "CTallyTool.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace clitest {

TallyResult RunInProcess(const std::vector<std::string> & inArguments) {
  const testsupport::TempDir streams;
  const std::string out = streams.file("out"), err = streams.file("err");
  const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  TallyResult result;
  result.mStatus = CTallyTool(outFd, errFd).Run(inArguments);
  ::close(outFd);
  ::close(errFd);
  result.mOut = testsupport::ReadFileBytes(out);
  result.mErr = testsupport::ReadFileBytes(err);
  return result;
}

TallyResult RunTally(const TallyRun & inRun) {
  // Everything the child needs is prepared before the fork.
  std::vector<std::string> arguments{TALLY_BINARY}, environment{"TZ=America/New_York", "LC_ALL=C", "PATH=/usr/bin:/bin"};
  arguments.insert(arguments.end(), inRun.mArguments.begin(), inRun.mArguments.end());
  environment.insert(environment.end(), inRun.mEnvironment.begin(), inRun.mEnvironment.end());
  std::vector<char *> argv, envp;
  for (std::string & argument : arguments)
    argv.push_back(argument.data());
  for (std::string & setting : environment)
    envp.push_back(setting.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  int out[2] = {-1, -1}, err[2] = {-1, -1}, in[2] = {-1, -1};
  std::string terminal;
  if (inRun.mStderrTerminal) {
    err[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (err[0] < 0 || ::grantpt(err[0]) != 0 || ::unlockpt(err[0]) != 0)
      throw std::runtime_error("pseudo-terminal");
    terminal = ::ptsname(err[0]);
  }
  if ((inRun.mStdout != TallyRun::eDevFull && ::pipe2(out, O_CLOEXEC) != 0) ||
      (!inRun.mStderrTerminal && ::pipe2(err, O_CLOEXEC) != 0) ||
      (inRun.mStdin == TallyRun::eFromPipe && ::pipe2(in, O_CLOEXEC) != 0))
    throw std::runtime_error("pipe");
  const char * const input = inRun.mStdin == TallyRun::eFromFile ? inRun.mStdinSource.c_str() : "/dev/null";
  const int full = inRun.mStdout == TallyRun::eDevFull ? ::open("/dev/full", O_WRONLY | O_CLOEXEC) : -1;
  const pid_t child = ::fork();
  if (child < 0)
    throw std::runtime_error("fork");
  if (child == 0) {
    const int stdoutTarget = full >= 0 ? full : out[1];
    const int stderrTarget = inRun.mStderrTerminal ? ::open(terminal.c_str(), O_RDWR | O_NOCTTY) : err[1];
    const int stdinSource = in[0] >= 0 ? in[0] : ::open(input, O_RDONLY);
    if (stdoutTarget < 0 || stderrTarget < 0 || stdinSource < 0 || ::dup2(stdinSource, 0) < 0 ||
        ::dup2(stdoutTarget, 1) < 0 || ::dup2(stderrTarget, 2) < 0 ||
        (!inRun.mFolder.empty() && ::chdir(inRun.mFolder.c_str()) != 0))
      ::_exit(126);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  for (const int descriptor : {out[1], err[1], full, in[0]})
    if (descriptor >= 0)
      ::close(descriptor);
  if (in[1] >= 0) {
    // The program reads all of its input before it writes much, so this cannot wait on it;
    // one that stops early (a usage error) must not end this process with SIGPIPE.
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
  // Read both until each ends (a terminal: fails once the child is gone); a reader that
  // stops early closes stdout after its first 100 bytes.
  TallyResult result;
  const std::size_t stopAfter = inRun.mStdout == TallyRun::eCloseAfterFirstBytes ? 100 : 0;
  char buffer[65536];
  while (out[0] >= 0 || err[0] >= 0) {
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    if (::poll(fds, 2, 20000) <= 0)
      throw std::runtime_error("the program under test hangs");
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0)
        continue;
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR)
        continue;
      std::string & into = i == 0 ? result.mOut : result.mErr;
      if (got > 0)
        into.append(buffer, static_cast<std::size_t>(got));
      if (got <= 0 || (i == 0 && stopAfter > 0 && into.size() >= stopAfter)) {
        ::close(fds[i].fd);
        (i == 0 ? out[0] : err[0]) = -1;
      }
    }
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  result.mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

} // namespace clitest
