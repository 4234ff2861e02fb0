// The expression filter for time entries.
#include "tasks/STaskSyntaxFilter.h"

STaskSyntaxFilter::STaskSyntaxFilter(SSyntax & syntax, const std::string & text)
    : TSyntaxFilter<STask>(syntax, text) {
  AddServer(mServer);
}

void STaskSyntaxFilter::UpdateServers(const STask & task) {
  mServer.SetTask(task);
}
