// Reading and reconciling take time in proportion to the size of the files
// whatever the order of their sections, IDs and names. Each case times a step
// against a linear reference on the same machine (ascending order, or reading
// the same data), so that the bound holds under sanitizers and on a busy
// machine; a quadratic step misses it many times over.
#include "LangSource.h"
#include "LanguageManager.h"
#include "TestSupport.h"
#include "Translations.h"

#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int N = 100000;

// N lines made by Line(I) for I = 1..N, counting down when bDescending.
QByteArray Lines(const QByteArray &Head, bool bDescending,
                 const std::function<QByteArray(int)> &Line) {
  QByteArray Text = Head;
  for (int I = 0; I < N; ++I)
    Text += Line(bDescending ? N - I : I + 1) + "\r\n";
  return Text;
}

QByteArray IDs(bool bDesc) {
  return Lines("[F]\r\n", bDesc, [](int I) { return QByteArray::number(I) + "=v"; });
}
QByteArray Constants(bool bDesc) {
  return Lines("[$CONSTANTS]\r\n", bDesc,
               [](int I) { return "S" + QByteArray::number(1000000 + I) + "=v"; });
}
QByteArray SourceIDs(bool bDesc) {
  return Lines("[F]\r\n", bDesc, [](int I) { return "P=" + QByteArray::number(I) + ",v"; });
}
QByteArray Sections(bool bDesc) {
  // Names of one width, so that text order is number order.
  return Lines("", bDesc, [](int I) { return "[F" + QByteArray::number(1000000 + I) + "]\r\n1=v"; });
}
QByteArray SourceSections(bool bDesc) {
  return Lines("", bDesc,
               [](int I) { return "[F" + QByteArray::number(1000000 + I) + "]\r\nP=1,v"; });
}

// The binary constants stream (current layout) of constants S1000001...
QByteArray ConstantsStream(bool bDesc) {
  const auto Str = [](QByteArray &Out, const QString &S) {
    Out.append(char(S.size() & 0xFF)).append(char(S.size() >> 8));
    Out.append(reinterpret_cast<const char *>(S.utf16()), S.size() * 2);
  };
  QByteArray Out("\x03\x01", 2);
  Out.append(char(N & 0xFF)).append(char((N >> 8) & 0xFF)).append(char(N >> 16)).append('\0');
  for (int I = 0; I < N; ++I) {
    Str(Out, QStringLiteral("S%1").arg(1000000 + (bDesc ? N - I : I + 1)));
    Str(Out, QStringLiteral("v"));
  }
  return Out;
}

void ReadTranslation(TZrLang_CompTranslations &T, const QByteArray &Bytes) {
  TByteStream S(Bytes);
  T.Text_LoadFromStream(S, false);
}

std::unique_ptr<TLangSource> ReadSource(const QByteArray &Bytes) {
  TByteStream S(Bytes);
  return std::make_unique<TLangSource>(S, QStringLiteral("big.zrlang"));
}

void Reconcile(const TLangSource &Source, TZrLang_CompTranslations &T) {
  int C[9];
  Source.CompareStructureWith(T, C[0], C[1], C[2], C[3], C[4], C[5], C[6], C[7], C[8]);
}

double Ms(const std::function<void()> &Step) {
  QElapsedTimer Timer;
  Timer.start();
  Step();
  return double(Timer.nsecsElapsed()) / 1e6;
}

struct TScalingCase {
  const char *Name;
  // Returns the reference time and the time of the step under test, in ms.
  std::function<std::pair<double, double>()> Run;
};

// The ascending file as the reference, the descending one under test.
std::pair<double, double> ReadBothOrders(const std::function<QByteArray(bool)> &Make,
                                         bool bSource) {
  const auto Read = [bSource](const QByteArray &Bytes) {
    if (bSource) {
      ReadSource(Bytes);
    } else {
      TZrLang_CompTranslations T;
      ReadTranslation(T, Bytes);
    }
  };
  const QByteArray Ascending = Make(false), Descending = Make(true);
  return {Ms([&] { Read(Ascending); }), Ms([&] { Read(Descending); })};
}

const TScalingCase ScalingCases[] = {
    {"TranslationIDs", [] { return ReadBothOrders(IDs, false); }},
    {"TranslationConstants", [] { return ReadBothOrders(Constants, false); }},
    {"SourceIDs", [] { return ReadBothOrders(SourceIDs, true); }},
    {"SourceSections", [] { return ReadBothOrders(SourceSections, true); }},
    {"SourceConstants", [] { return ReadBothOrders(Constants, true); }},
    {"ConstantsStream",
     [] {
       const auto Read = [](const QByteArray &Bytes) {
         TZrLang_Constants C(nullptr);
         TByteStream S(Bytes);
         C.LoadFromStream(S);
       };
       const QByteArray Ascending = ConstantsStream(false), Descending = ConstantsStream(true);
       return std::pair{Ms([&] { Read(Ascending); }), Ms([&] { Read(Descending); })};
     }},
    {"ReconcileRemovesSections",
     [] {
       // Reading the sections is the reference for deleting them all.
       const auto Empty = ReadSource("");
       TZrLang_CompTranslations T;
       const QByteArray Bytes = Sections(true);
       const double Read = Ms([&] { ReadTranslation(T, Bytes); });
       return std::pair{Read, Ms([&] { Reconcile(*Empty, T); })};
     }},
    {"ReconcileAddsInFront",
     [] {
       // The source's lower half of IDs goes in front of the translation's
       // upper half; reading the source is the reference.
       const QByteArray Bytes = SourceIDs(false);
       std::unique_ptr<TLangSource> Source;
       const double Read = Ms([&] { Source = ReadSource(Bytes); });
       TZrLang_CompTranslations T;
       QByteArray Upper = "[F]\r\n";
       for (int I = N / 2 + 1; I <= N; ++I)
         Upper += QByteArray::number(I) + "=v\r\n";
       ReadTranslation(T, Upper);
       return std::pair{Read, Ms([&] { Reconcile(*Source, T); })};
     }},
};

class ReadScalingTest : public testing::TestWithParam<TScalingCase> {};

TEST_P(ReadScalingTest, StaysNearTheLinearReference) {
  LangConstant(u"SMessageMissingEntries"); // loads the log's texts beforehand
  const auto [Reference, Measured] = GetParam().Run();
  EXPECT_LT(Measured, 4 * Reference + 250) << "reference " << Reference << " ms";
}
INSTANTIATE_TEST_SUITE_P(Orders, ReadScalingTest, testing::ValuesIn(ScalingCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
