#pragma once

#include <QByteArrayView>
#include <QString>

// Whether a file system type, as the system names it ("nfs4", "cifs",
// "fuse.sshfs", ...), is one served over the network, where SQLite's
// write-ahead log cannot work: its readers share memory mapped beside the
// database, which processes on different machines do not see.
bool IsNetworkFileSystemType(QByteArrayView Type);

// Whether the folder holding Path is on such a file system. The folder must
// exist; a file system of unknown type counts as local.
bool IsOnNetworkFileSystem(const QString &Path);
