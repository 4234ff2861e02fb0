// The rows of a flat list.
#include "CListRowSource.h"

#include "CRowSink.h"
#include "tasks/STaskVector.h"

CListRowSource::CListRowSource(const STaskVector & inTasks, const std::vector<std::uint32_t> & inOrder)
    : mTasks(inTasks), mOrder(inOrder) {}

void CListRowSource::Emit(CRowSink & ioSink) {
  ioSink.Begin(CRowSink::Shape{});
  std::uint64_t total = 0;
  for (const std::uint32_t index : mOrder) {
    const STask & task = mTasks.at(index);
    total += static_cast<unsigned long>(task.GetDuration());
    ioSink.Entry(task, 0);
  }
  ioSink.End(total, mOrder.size());
}
