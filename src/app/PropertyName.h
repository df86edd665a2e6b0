#pragma once

#include <QExplicitlySharedDataPointer>
#include <QSharedData>
#include <QString>

// A property name that every record having it shares: a language source
// repeats a few thousand names over up to a million properties, and a record
// then holds 8 bytes for its name instead of a string's 24. Copies share the
// name; it goes with the last of them. Thread-safe as QString is.
class TPropertyName {
public:
  TPropertyName() = default;
  explicit TPropertyName(const QString &Text);

  // Empty for a default-made name.
  const QString &Text() const;

private:
  struct TData : QSharedData {
    QString Text;
  };
  QExplicitlySharedDataPointer<TData> d;
};
