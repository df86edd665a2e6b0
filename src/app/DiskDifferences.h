#pragma once

#include <QString>
#include <functional>
#include <vector>

class QIODevice;
class TTranslationDocument;

// An entry whose translation on disk differs from the open document's.
struct TDiskDifference {
  int Position; // in the open document's entry table
  QString Component; // the component's name; blank for a constant
  QString Name;      // the property's or the constant's name
  QString DiskText;
  QString OpenText;
};

// Reads the translation in Stream (Path names it in errors, as a Load
// would), brings it into line with the open document's source and lists, in
// tree order, the entries whose translated text or states differ from the
// document's. The document is not changed. Continue, when given, is called
// between the steps and now and then while comparing; false stops the
// comparison with EReadCancelled.
// REQUIRES: Doc is open.
std::vector<TDiskDifference> CompareWithDisk(TTranslationDocument &Doc, QIODevice &Stream,
                                             const QString &Path,
                                             const std::function<bool()> &Continue = {});
