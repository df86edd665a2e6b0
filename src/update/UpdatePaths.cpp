#include "UpdatePaths.h"

#include <QDir>
#include <QHostAddress>
#include <QStringList>

QString FileNameFromUrl(const QUrl &Url) {
  if (!Url.isValid())
    return {};
  // Split the encoded path so that an encoded separator stays inside its
  // segment, where IsPlainFileName then finds it.
  const QString EncodedPath = Url.path(QUrl::FullyEncoded);
  const qsizetype Slash = EncodedPath.lastIndexOf(u'/');
  const QString Name = QUrl::fromPercentEncoding(EncodedPath.mid(Slash + 1).toUtf8());
  return IsPlainFileName(Name) ? Name : QString();
}

namespace {

bool IsSafeSegment(const QString &Segment) {
  if (Segment == u"..")
    return false;
  for (const QChar C : Segment)
    if (C == u':' || C == u'"' || C.unicode() < 0x20)
      return false;
  return true;
}

QString Resolve(const QString &Text, const QString &ProgramDir, bool FolderItself) {
  QString Path = Text.trimmed();
  Path.replace(u'\\', u'/');
  static const QString AppPrefix = QStringLiteral("{app}");
  bool FromApp = false;
  if (Path.startsWith(AppPrefix, Qt::CaseInsensitive)) {
    Path = Path.mid(AppPrefix.size());
    FromApp = true;
  } else if (Path.startsWith(u'/')) {
    return {};
  }
  const QStringList Segments = Path.split(u'/', Qt::SkipEmptyParts);
  for (const QString &Segment : Segments)
    if (!IsSafeSegment(Segment))
      return {};
  const QString Folder = QDir::cleanPath(ProgramDir);
  if (Segments.isEmpty())
    return FolderItself && FromApp ? Folder : QString();
  const QString Result = QDir::cleanPath(Folder + u'/' + Segments.join(u'/'));
  // "." segments may lead back to the folder itself, which is no file.
  return Result == Folder && !FolderItself ? QString() : Result;
}

} // namespace

QString ResolveProgramPath(const QString &Text, const QString &ProgramDir) {
  return Resolve(Text, ProgramDir, false);
}

QString ResolveProgramFolder(const QString &Text, const QString &ProgramDir) {
  return Resolve(Text, ProgramDir, true);
}

namespace {

bool IsLoopbackHost(const QString &Host) {
  if (Host.compare(u"localhost", Qt::CaseInsensitive) == 0)
    return true;
  const QHostAddress Address(Host);
  return !Address.isNull() && Address.isLoopback();
}

} // namespace

bool IsAllowedUpdateUrl(const QUrl &Url) {
  if (!Url.isValid() || Url.host().isEmpty())
    return false;
  const QString Scheme = Url.scheme().toLower();
  return Scheme == u"https" || (Scheme == u"http" && IsLoopbackHost(Url.host()));
}

bool IsAllowedRedirect(const QUrl &From, const QUrl &To) {
  if (!IsAllowedUpdateUrl(To))
    return false;
  return From.scheme().compare(u"https", Qt::CaseInsensitive) != 0 ||
         To.scheme().compare(u"https", Qt::CaseInsensitive) == 0;
}
