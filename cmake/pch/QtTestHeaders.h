// Qt Test's event helpers and signal spy.
#include <QSignalSpy>
#include <QTest>
