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

void TPoPartWriter::Add(po_file_t File, const QByteArray &Path) {
  {
    const std::lock_guard Lock(FMutex);
    FQueue.emplace_back(File, Path);
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
    const auto [File, Path] = FQueue.front();
    FQueue.pop_front();
    Lock.unlock();
    std::exception_ptr Error;
    try {
      WritePoFile(File, Path);
    } catch (...) {
      Error = std::current_exception();
    }
    Lock.lock();
    if (Error)
      FError = Error;
    else
      ++FWritten;
    FChanged.notify_all();
  }
}
