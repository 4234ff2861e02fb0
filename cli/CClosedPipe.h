// Thrown when the reader of the tool's output has gone away (a closed pipe): the tool then
// stops quietly. Deliberately not a std::exception, so that no failure handler mistakes it
// for an error.
#pragma once

class CClosedPipe {
public:
  CClosedPipe() = default;
};
