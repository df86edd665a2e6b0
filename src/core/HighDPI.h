#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class QObject;
class QWidget;

// N × Numerator / Denominator, multiplied first and rounded half away from
// zero; -1 when Denominator is 0.
int MulDiv(int N, int Numerator, int Denominator) noexcept;

// Implemented by objects that adjust themselves when their form is scaled,
// after the generic scaling of their geometry, fonts and margins.
class IScalable {
public:
  virtual ~IScalable() = default;
  virtual void ChangeScale(int M, int D) = 0;
};

// Replaces the font a form was designed with (Tahoma, height -11 at 96 DPI)
// by the system's user-interface font and scales the form by the ratio of
// the two heights. Heights follow the classic convention: a negative height
// is a character height in pixels.
class THighDPIToolkit {
public:
  THighDPIToolkit() = delete;

  // Standardizes the form to the system font; returns the scale ratio.
  static double StandardizeFormFont(QWidget *AForm);
  // Scales the form by AFontHeight / its font height, then standardizes the
  // fonts of the form and its controls; returns that ratio.
  static double StandardizeFormFont(QWidget *AForm, const QString &AFontName, int AFontHeight);
  // Standardizes the font of a control and of every control below it.
  static void StandardizeFont(QWidget *AControl, bool AForceClearType, const QString &AFontName,
                              int AFontSize, const QString &AForceFontIfName, int AForceFontIfSize);
  // Standardizes one font; true when it was changed.
  static bool StandardizeFont(QFont &AControlFont, bool AForceClearType, const QString &AFontName,
                              int AFontSize, const QString &AForceFontIfName, int AForceFontIfSize);
  // The value of the object's "font" property when it has one of type QFont.
  static std::optional<QFont> GetControlFont(const QObject *AControl);

  // Scales the form and its controls by M/D, keeps its centre when its
  // position mode centres it, and keeps it inside the work area.
  static void ScaleForm(QWidget *AForm, int M, int D);
  // Where ScaleForm puts a form that had OldRect and now has NewRect.
  static QPoint ScaledFormOrigin(const QRect &OldRect, const QRect &NewRect, bool bKeepCentre,
                                 const std::optional<QRect> &WorkArea);

  // The system's user-interface font, read on first use.
  static QString SystemFontName();
  static int SystemFontHeight();

  // The screen's logical resolution; SetPixelsPerInch overrides it (0 follows
  // the primary screen again).
  static int PixelsPerInch();
  static void SetPixelsPerInch(int Value);

  // Heights and point sizes of Qt fonts at PixelsPerInch.
  static int FontHeight(const QFont &Font);
  static int FontPointSize(const QFont &Font);
  static void SetFontHeight(QFont &Font, int Height);
  static void SetFontPointSize(QFont &Font, int Size);
};
