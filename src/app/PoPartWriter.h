#pragma once

#include "PoLibrary.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

// Writes PO files to their paths on a thread of its own, one after another
// in the order they are added: the library's writing, which takes most of an
// export, goes on while the caller makes the next file, and the caller frees
// the files written meanwhile. After a failure it writes nothing more.
class TPoPartWriter {
public:
  TPoPartWriter();
  // Lets the file being written finish and waits for the thread.
  ~TPoPartWriter();
  TPoPartWriter(const TPoPartWriter &) = delete;
  TPoPartWriter &operator=(const TPoPartWriter &) = delete;

  // REQUIRES: nothing else uses File until it is written or this object is
  // gone.
  void Add(po_file_t File, const QByteArray &Path);
  // Waits until the first Count files added are written. Raises the error
  // that writing one of them raised (EExchangeFileError).
  void WaitUntilWritten(size_t Count);

private:
  void Run();

  std::mutex FMutex;
  std::condition_variable FChanged;
  std::deque<std::pair<po_file_t, QByteArray>> FQueue;
  size_t FWritten = 0;
  bool FStopping = false;
  std::exception_ptr FError;
  // Last: it starts once the rest is made.
  std::thread FThread;
};
