// A failure the command-line tool reports on its error stream, naming the file it concerns.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

class CToolError : public std::runtime_error {
public:
  /// A failure about inFile (empty when it concerns no file) with the message inMessage.
  CToolError(const std::string & inFile, const std::string & inMessage);

  /// The file the failure concerns; empty if none.
  const std::string & File() const { return mFile; }
  /// The message without the file.
  const std::string & Message() const { return mMessage; }

  /// Runs inAction and returns its result; a failure it throws is passed on as a
  /// CToolError naming inFile with the failure's own message. A CToolError passes unchanged.
  template <class Action>
  static decltype(auto) Naming(const std::string & inFile, Action && inAction) {
    try {
      return std::forward<Action>(inAction)();
    } catch (const CToolError &) {
      throw;
    } catch (const std::bad_alloc &) {
      throw CToolError(inFile, "There is not enough memory");
    } catch (const std::exception & e) {
      throw CToolError(inFile, e.what());
    }
  }

private:
  std::string mFile;
  std::string mMessage;
};
