#include "NetworkFileSystem.h"

#include <QFileInfo>
#include <QStorageInfo>

bool IsNetworkFileSystemType(QByteArrayView Type) {
  static constexpr QByteArrayView Network[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "smb2",
                                               "9p", "afs", "ncpfs", "coda", "ceph", "glusterfs",
                                               "lustre", "gpfs", "davfs", "fuse.sshfs",
                                               "fuse.davfs2", "fuse.rclone", "fuse.glusterfs"};
  for (QByteArrayView Name : Network)
    if (Type.compare(Name, Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

bool IsOnNetworkFileSystem(const QString &Path) {
  const QStorageInfo Storage(QFileInfo(Path).absolutePath());
  return Storage.isValid() && IsNetworkFileSystemType(Storage.fileSystemType());
}
