#include "PoPartWriter.h"

TPoPartWriter::TPoPartWriter() : FThread([this] { Run(); }) {}

TPoPartWriter::~TPoPartWriter() {
  {
    const std::lock_guard Lock(FMutex);
    FStopping = true;
  }
  FChanged.notify_all();
  FThread.join();
}

void TPoPartWriter::Add(TPoFile File, const QByteArray &Path) {
  {
    const std::lock_guard Lock(FMutex);
    FQueue.emplace_back(std::move(File), Path);
  }
  FChanged.notify_all();
}

void TPoPartWriter::WaitUntilWritten(size_t Count) {
  std::unique_lock Lock(FMutex);
  FChanged.wait(Lock, [&] { return FWritten >= Count || FError; });
  if (FError)
    std::rethrow_exception(FError);
}

void TPoPartWriter::Run() {
  std::unique_lock Lock(FMutex);
  for (;;) {
    FChanged.wait(Lock, [&] { return FStopping || !FQueue.empty(); });
    if (FStopping || FError)
      break;
    std::pair<TPoFile, QByteArray> Part = std::move(FQueue.front());
    FQueue.pop_front();
    Lock.unlock();
    std::exception_ptr Error;
    try {
      WritePoFile(Part.first.get(), Part.second);
    } catch (...) {
      Error = std::current_exception();
    }
    // Freeing a large file takes a while too.
    Part.first.reset();
    Lock.lock();
    if (Error)
      FError = Error;
    else
      ++FWritten;
    FChanged.notify_all();
  }
  // Freed here, on the thread that has the time.
  FQueue.clear();
}
