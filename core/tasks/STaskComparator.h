// Ordering of tasks by their fields.
#pragma once

class STaskComparator {
public:
  /// Field codes for ordering: a positive code sorts ascending by that field, its negation
  /// descending, 0 by nothing. Codes 1 to 6 address the task field STask::EField + 1;
  /// eOrderInFile is the task's position in its vector.
  enum EField {
    eNop = 0,
    eXX = 0,
    eDate = 1,
    eDuration = 2,
    eWhoCode = 3,
    eJobNumber = 4,
    eTimeCode = 5,
    eDescription = 6,
    eOrderInFile = 7,
    eNotDate = -1,
    eNotDuration = -2,
    eNotWhoCode = -3,
    eNotJobNumber = -4,
    eNotTimeCode = -5,
    eNotDescription = -6,
    eNotOrderInFile = -7
  };
};
